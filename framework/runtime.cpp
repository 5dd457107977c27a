#include "framework/runtime.h"

#include <QApplication>
#include <QTimer>
#include <memory>

#include "framework/application.h"
#include "framework/termination_signals.h"
#include "framework/unhandled_exception.h"
#include "framework/window.h"

namespace fw {
namespace {

// Exceptions must not unwind through Qt's own frames; each event's delivery
// catches them here and ends the loop, so the start routine can report them.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  std::exception_ptr escaped;

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (...) {
      if (!escaped) escaped = std::current_exception();
      exit(1);
      return false;
    }
  }
};

std::unique_ptr<GuardedApplication> application;
int exitStatus = 0;

}  // namespace

void RuntimeInit(int& argc, char** argv) {
  exitStatus = 0;
  application = std::make_unique<GuardedApplication>(argc, argv);
  // The name only, no display name: Qt would append a display name to every
  // title it hands the window manager, and a window's title is its own.
  QApplication::setApplicationName(QStringLiteral("Quillfern"));
  QApplication::setDesktopFileName(QStringLiteral("org.quillfern.Quillfern"));
  QApplication::setQuitOnLastWindowClosed(false);
}

void RuntimeRun() {
  // A quit asked for before the loop runs, in the loop of a box shown during
  // start-up, ends the run without it: the loop would forget the request.
  if (QuitRequested()) {
    exitStatus = QuitStatus();
    return;
  }
  if (Application* app = Application::Instance())
    QTimer::singleShot(0, [app] { app->RaiseOpen(); });
  exitStatus = QApplication::exec();
  if (application && application->escaped) {
    std::exception_ptr error = application->escaped;
    application->escaped = nullptr;
    std::rethrow_exception(error);
  }
}

void RuntimeUnhandledException(std::exception_ptr error) {
  ReportUnhandledException(error);
  exitStatus = 1;
}

int RuntimeExitStatus() { return exitStatus; }

int RuntimeExit() {
  StopQuittingOnTerminationSignals();
  // Windows closed during the last turn of the loop are still waiting to go.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (Window* window : Window::OpenWindows()) delete window;
  application.reset();
  return exitStatus;
}

}  // namespace fw
