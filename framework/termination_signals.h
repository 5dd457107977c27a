#pragma once
// The end of the desktop session. A session that ends, or a terminal that
// closes or is interrupted, asks the program to go with SIGTERM, SIGHUP or
// SIGINT. Each ends the run the way the quit menu item does, so the windows
// close and keep what they store when closed, and the exit status is 0.
namespace fw {

// From now on the three signals quit from the event loop (which must exist).
void QuitOnTerminationSignals();
// Gives the signals their default action back, before the event loop goes.
void StopQuittingOnTerminationSignals();

}  // namespace fw
