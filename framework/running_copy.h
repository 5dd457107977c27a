#pragma once
// Starting the program while a copy of it runs brings that copy forward, as
// launchers do: the new process calls org.freedesktop.Application.Activate on
// the copy that owns the bus name (ApplicationEvents::kServiceName) and ends.
// The call goes to that copy's own connection, never to whoever holds the
// name by the time it arrives, which could be this process.
#include <QObject>
#include <functional>

namespace fw {

// Asks the copy that owns the bus name to come to the front, passing on the
// launcher's startup id or activation token, and waits at most 10 s for it;
// meanwhile a termination signal ends this process at once. True when it
// came; false when there is none, it refused (it is quitting), it did not
// answer, or there is no session bus.
bool ActivateRunningCopy();

// The same without waiting, for a process that waits in line for the name
// with its window shown: cameForward runs (in receiver's thread) once the copy
// has come to the front. Asks nobody when the name has passed to this
// process, or when its owner is the copy ActivateRunningCopy asked already.
void ActivateRunningCopyLater(QObject* receiver, std::function<void()> cameForward);

}  // namespace fw
