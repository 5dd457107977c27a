#pragma once
// The end of the desktop session. A session that ends, or a terminal that
// closes or is interrupted, asks the program to go with SIGTERM, SIGHUP or
// SIGINT. Each ends the run the way the quit menu item does, so the windows
// close and keep what they store when closed, and the exit status is 0. A
// signal ignored when the program started (nohup, a background job) stays
// ignored.
namespace fw {

// From now on the three signals quit from the event loop (which must exist).
void QuitOnTerminationSignals();
// Gives the signals back what they had before, before the event loop goes.
void StopQuittingOnTerminationSignals();

// A call that blocks the event loop, such as a wait on the session bus: while
// one lasts, the signals end the process at once by the action they had
// before, since the loop cannot act on them. Such waits come before the user
// can have changed anything, so nothing is lost.
class BlockingWait {
 public:
  BlockingWait();
  ~BlockingWait();
  BlockingWait(const BlockingWait&) = delete;
  BlockingWait& operator=(const BlockingWait&) = delete;

 private:
  bool counted_;
};

}  // namespace fw
