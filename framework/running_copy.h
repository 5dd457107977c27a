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
// launcher's activation token, and waits at most 10 s for it; meanwhile a
// termination signal ends this process at once. True when it came; false
// when there is none, it refused (it is quitting), it did not answer, or
// there is no session bus.
bool ActivateRunningCopy();

// The same without waiting, for a process that waits in line for the name
// with its window shown: it asks the copy that owns the name now, and each
// copy the name passes to later, once each, until one comes to the front;
// then cameForward runs (in receiver's thread). The copy ActivateRunningCopy
// asked is not asked again. Once the name passes to this process, or
// receiver goes, nobody more is asked.
void ActivateRunningCopyLater(QObject* receiver, std::function<void()> cameForward);

}  // namespace fw
