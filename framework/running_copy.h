#pragma once
// Starting the program while a copy of it runs brings that copy forward, as
// launchers do: the new process calls org.freedesktop.Application.Activate on
// the running copy's bus name (ApplicationEvents::kServiceName) and ends.

namespace fw {

// Asks a copy of the program that owns the bus name to come to the front,
// passing on the launcher's startup id or activation token. True when it did;
// false when there is none, it is quitting, or there is no session bus.
bool ActivateRunningCopy();

}  // namespace fw
