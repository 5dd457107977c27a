#include "framework/thread.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>

#include "framework/message_box.h"
#include "framework/unhandled_exception.h"

namespace fw {

namespace detail {

std::chrono::steady_clock::time_point sliceStart;
std::chrono::steady_clock::duration sliceLength = std::chrono::milliseconds(4);

namespace {
constexpr int kCallsBetweenClockChecks = 64;
int uncheckedCalls = 0;
}  // namespace

void StartSlice() noexcept {
  sliceStart = std::chrono::steady_clock::now();
  uncheckedCalls = 0;
}

bool SliceLeft() noexcept {
  if (!QCoreApplication::instance()) return true;
  if (sliceLength <= std::chrono::steady_clock::duration::zero()) return false;
  if (uncheckedCalls > 0) {
    --uncheckedCalls;
    return true;
  }
  if (std::chrono::steady_clock::now() - sliceStart >= sliceLength) return false;
  uncheckedCalls = kCallsBetweenClockChecks;
  return true;
}

void QueuedResume::Post(std::coroutine_handle<> handle) {
  Cancel();
  pending_ = std::make_shared<std::coroutine_handle<>>(handle);
  QMetaObject::invokeMethod(
      QCoreApplication::instance(),
      [pending = pending_] {
        if (const std::coroutine_handle<> handle = std::exchange(*pending, {})) {
          StartSlice();
          handle.resume();
        }
      },
      Qt::QueuedConnection);
}

void QueuedResume::Cancel() noexcept {
  if (pending_) *std::exchange(pending_, {}) = {};
}

namespace {

// Waits for an application-modal box without blocking the event loop.
class MessageBoxAwaiter {
 public:
  explicit MessageBoxAwaiter(const QString& text) : text_(text) {}
  MessageBoxAwaiter(const MessageBoxAwaiter&) = delete;
  MessageBoxAwaiter& operator=(const MessageBoxAwaiter&) = delete;
  ~MessageBoxAwaiter() {
    // The waiting coroutine is being destroyed: take the box away with it.
    if (box_) {
      QObject::disconnect(finished_);
      box_->close();
    }
  }

  bool await_ready() const noexcept { return false; }
  void await_suspend(std::coroutine_handle<> handle) {
    auto* box = new QMessageBox(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text_,
                                QMessageBox::Ok, QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box_ = box;
    // Resume from the event loop, not from inside the box's own signal.
    finished_ = QObject::connect(box, &QDialog::finished, box, [this, handle] {
      box_.clear();
      resume_.Post(handle);
    });
    box->show();
  }
  void await_resume() const noexcept {}

 private:
  QString text_;
  QPointer<QMessageBox> box_;
  QMetaObject::Connection finished_;
  QueuedResume resume_;
};

}  // namespace
}  // namespace detail

void SetYieldSlice(std::chrono::microseconds slice) {
  detail::sliceLength = slice;
  detail::uncheckedCalls = 0;
}

Task<void> MsgBoxAsync(QString text) {
  if (DeliverToMessageHandler(text)) co_return;
  co_await detail::MessageBoxAwaiter(text);
}

namespace {
int runningThreads = 0;
}  // namespace

// The coroutine that runs a thread's Run() to its end, reports what escaped it
// and deletes the thread. Its frame frees itself when it finishes.
struct ThreadDriver {
  struct promise_type {
    ThreadDriver get_return_object() noexcept {
      return {std::coroutine_handle<promise_type>::from_promise(*this)};
    }
    std::suspend_always initial_suspend() const noexcept { return {}; }
    std::suspend_never final_suspend() const noexcept { return {}; }
    void return_void() const noexcept {}
    void unhandled_exception() const noexcept { std::terminate(); }
  };
  std::coroutine_handle<> handle;

  static ThreadDriver Drive(Thread* thread) {
    std::exception_ptr error;
    try {
      co_await thread->Run();
    } catch (...) {
      error = std::current_exception();
    }
    // Finished: from here on deleting the thread must not destroy this frame,
    // which frees itself on return. The report comes last because its box
    // runs an event loop in which anything may happen.
    thread->driver_ = {};
    --runningThreads;
    if (error) {
      try {
        thread->UnhandledException(error);
      } catch (...) {
        // The tidy-up hook failing must not hide the original fault.
      }
    }
    delete thread;
    if (error) ReportUnhandledException(error);
  }
};

Thread::~Thread() {
  if (driver_) {
    std::exchange(driver_, {}).destroy();
    --runningThreads;
  }
}

void Thread::Start() {
  if (started_) return;
  started_ = true;
  ++runningThreads;
  driver_ = ThreadDriver::Drive(this).handle;
  const std::coroutine_handle<> driver = driver_;
  detail::StartSlice();
  driver.resume();  // may finish and delete this
}

int Thread::Running() { return runningThreads; }

}  // namespace fw
