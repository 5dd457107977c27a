#pragma once
// Task<T>: the return type of the cooperative workers' coroutines.
//
// A Task starts eagerly: calling the coroutine runs it until its first real
// suspension (a Yield that returns to the event loop, a message box). Another
// coroutine awaits it with `co_await Sub()`; the result or exception is then
// delivered to the awaiter, which the finished task resumes by symmetric
// transfer.
//
// Ownership: the Task object owns the coroutine frame. Destroying a Task
// destroys its frame whether it is finished or suspended; the frame's locals
// (including any sub-Task it is awaiting and the awaiter of a pending Yield or
// message box) are destroyed with it, which cancels their pending resumption.
// An awaiter must therefore own the Task it awaits (the usual `co_await Sub()`
// does); awaiting a Task somebody else may destroy leaves the awaiter suspended.
#include <coroutine>
#include <exception>
#include <optional>
#include <utility>

namespace fw {

template <class T>
class Task;

namespace detail {

// Resumes whoever awaited the finished task, or returns to the resumer.
struct FinalAwaiter {
  std::coroutine_handle<> continuation;
  bool await_ready() const noexcept { return false; }
  std::coroutine_handle<> await_suspend(std::coroutine_handle<>) const noexcept {
    return continuation ? continuation : std::noop_coroutine();
  }
  void await_resume() const noexcept {}
};

struct PromiseBase {
  std::coroutine_handle<> continuation;
  std::exception_ptr error;

  std::suspend_never initial_suspend() const noexcept { return {}; }
  FinalAwaiter final_suspend() const noexcept { return {continuation}; }
  void unhandled_exception() noexcept { error = std::current_exception(); }
  void RethrowIfFailed() const {
    if (error) std::rethrow_exception(error);
  }
};

template <class T>
struct Promise : PromiseBase {
  std::optional<T> value;
  Task<T> get_return_object() noexcept;
  template <class U>
  void return_value(U&& result) {
    value.emplace(std::forward<U>(result));
  }
  T Take() {
    RethrowIfFailed();
    return std::move(*value);
  }
};

template <>
struct Promise<void> : PromiseBase {
  Task<void> get_return_object() noexcept;
  void return_void() const noexcept {}
  void Take() const { RethrowIfFailed(); }
};

}  // namespace detail

template <class T = void>
class [[nodiscard]] Task {
 public:
  using promise_type = detail::Promise<T>;
  using Handle = std::coroutine_handle<promise_type>;

  Task() = default;
  explicit Task(Handle handle) noexcept : handle_(handle) {}
  Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Task& operator=(Task&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, {});
    }
    return *this;
  }
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;
  ~Task() { Reset(); }

  // True once the coroutine has returned or thrown.
  bool Done() const noexcept { return !handle_ || handle_.done(); }
  // The result of a finished task (its exception is rethrown). Only once.
  T Get() { return handle_.promise().Take(); }

  auto operator co_await() noexcept {
    struct Awaiter {
      Handle child;
      bool await_ready() const noexcept { return child.done(); }
      void await_suspend(std::coroutine_handle<> parent) const noexcept {
        child.promise().continuation = parent;
      }
      T await_resume() const { return child.promise().Take(); }
    };
    return Awaiter{handle_};
  }

 private:
  void Reset() noexcept {
    if (handle_) std::exchange(handle_, {}).destroy();
  }

  Handle handle_;
};

namespace detail {
template <class T>
Task<T> Promise<T>::get_return_object() noexcept {
  return Task<T>(std::coroutine_handle<Promise<T>>::from_promise(*this));
}
inline Task<void> Promise<void>::get_return_object() noexcept {
  return Task<void>(std::coroutine_handle<Promise<void>>::from_promise(*this));
}
}  // namespace detail

}  // namespace fw
