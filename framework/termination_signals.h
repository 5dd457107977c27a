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

// A call that blocks before the event loop runs, such as the start's wait on
// the session bus: while one lasts, the signals end the process at once by
// the action they had before, since the loop cannot act on them yet. Only
// while no window exists, so the user cannot have changed anything; later a
// blocking call is bounded by a timeout instead, and the signal waits for it.
class BlockingWait {
 public:
  BlockingWait();
  ~BlockingWait();
  BlockingWait(const BlockingWait&) = delete;
  BlockingWait& operator=(const BlockingWait&) = delete;

 private:
  bool active_;
};

}  // namespace fw
