// The whole run as main drives it: the event loop, how it ends, and what
// becomes of an exception nobody caught.
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "app/start_up.h"
#include "framework/folders.h"
#include "framework/message_box.h"
#include "framework/runtime.h"
#include "framework/window.h"
#include "main_window/main_window.h"

class RunTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_, data_;
  QStringList messages_;

  void Finish() {
    for (fw::Window* window : fw::Window::OpenWindows()) delete window;
    DeleteAppInstance();
  }

 private slots:
  void init() {
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    fw::SetApplicationFolder(data_.path());
    messages_.clear();
    fw::SetMessageHandler([this](const QString& text) { messages_ << text; });
  }

  void closingTheMainWindowEndsTheRunWithStatusZero() {
    QTimer::singleShot(50, [] { MainWindow::Instance()->CloseWindow(); });
    Main();
    QCOMPARE(fw::RuntimeExitStatus(), 0);
    QVERIFY(messages_.isEmpty());
    QVERIFY(fw::Window::OpenWindows().empty());
    Finish();
  }

  void anExceptionFromTheEventLoopIsReportedAndEndsTheRun() {
    QTimer::singleShot(50, [] { throw std::runtime_error("broken on purpose"); });
    Main();
    QCOMPARE(fw::RuntimeExitStatus(), 1);
    QCOMPARE(messages_.size(), 1);
    QVERIFY(messages_.first().contains(QStringLiteral("broken on purpose")));
    Finish();
  }
};

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  fw::RuntimeInit(argc, argv);
  RunTest test;
  const int failures = QTest::qExec(&test, argc, argv);
  fw::RuntimeExit();
  return failures;
}

#include "tst_run.moc"
