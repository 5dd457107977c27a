#pragma once
// Cooperative threads: coroutines run on the GUI thread. A worker touches
// widgets freely and keeps the window live by awaiting Yield() now and then.
#include <QString>
#include <chrono>
#include <coroutine>
#include <exception>
#include <memory>

#include "framework/task.h"

namespace fw {

namespace detail {
// A resumption queued on the event loop. It belongs to the awaiter, which
// lives in the suspended coroutine's frame: destroying the frame destroys the
// awaiter and so cancels the resumption.
class QueuedResume {
 public:
  QueuedResume() = default;
  QueuedResume(const QueuedResume&) = delete;
  QueuedResume& operator=(const QueuedResume&) = delete;
  ~QueuedResume() { Cancel(); }

  // Resumes `handle` from the event loop later, unless cancelled first.
  void Post(std::coroutine_handle<> handle);
  void Cancel() noexcept;

 private:
  std::shared_ptr<std::coroutine_handle<>> pending_;
};

// Start of the current time slice: the last time a coroutine was entered
// from the event loop.
extern std::chrono::steady_clock::time_point sliceStart;
extern std::chrono::steady_clock::duration sliceLength;
void StartSlice() noexcept;
// Whether the current slice has time left (always, without an application
// object to return to). A look at the clock costs about as much as a step of
// a scan, so once the slice is seen to have time left the next calls answer
// without looking: a used-up slice is noticed a few microseconds late. A slice
// of zero has no time left at any call.
bool SliceLeft() noexcept;

class YieldAwaiter {
 public:
  bool await_ready() const noexcept { return SliceLeft(); }
  void await_suspend(std::coroutine_handle<> handle) { resume_.Post(handle); }
  void await_resume() const noexcept {}

 private:
  QueuedResume resume_;
};
}  // namespace detail

// co_await Yield(): returns to the event loop once the current time slice is
// used up, else continues at once.
inline detail::YieldAwaiter Yield() { return {}; }
// Length of the time slice (default 4 ms). Zero yields at every call.
void SetYieldSlice(std::chrono::microseconds slice);

// co_await MsgBoxAsync(text): an application-modal box with an OK button that
// leaves the event loop running; the coroutine continues once it is dismissed.
// With a message handler installed (fw::SetMessageHandler) the handler gets the
// text and the coroutine continues at once.
Task<void> MsgBoxAsync(QString text);

// A worker run as a coroutine. `(new Query)->Start();` hands the object to the
// framework, which deletes it when Run() finishes. Deleting a started thread
// while it is suspended destroys its coroutine: it never resumes. (Not while
// Run() is executing, e.g. from the event loop of a blocking box it opened.)
// The frame is destroyed after the subclass's members, so Run()'s locals must
// not touch them in their destructors.
class Thread {
 public:
  Thread() = default;
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  virtual ~Thread();

  // Runs Run() at once up to its first suspension. Only the first call counts.
  void Start();
  // Started threads that have not finished yet.
  static int Running();

 protected:
  virtual Task<void> Run() = 0;
  // Called with an exception that left Run(), before it is reported.
  virtual void UnhandledException(std::exception_ptr) {}

 private:
  friend struct ThreadDriver;
  std::coroutine_handle<> driver_;
  bool started_ = false;
};

}  // namespace fw
