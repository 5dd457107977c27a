#pragma once
// The end of the desktop session. A session that ends, or a terminal that
// closes or is interrupted, asks the program to go with SIGTERM, SIGHUP or
// SIGINT. Each ends the run the way the quit menu item does, so the windows
// close and keep what they store when closed, and the exit status is 0. A
// signal ignored when the program started (nohup, a background job) stays
// ignored.
namespace fw {

// From now on the three signals quit from the event loop (which must exist).
// Until then they keep their default action: a start that waits for a running
// copy before it has a window ends at once, having nothing to keep.
void QuitOnTerminationSignals();
// Gives the signals back what they had before, before the event loop goes.
void StopQuittingOnTerminationSignals();

}  // namespace fw
