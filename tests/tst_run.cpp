// The whole run as main drives it: the event loop, how it ends, and what
// becomes of an exception nobody caught.
#include <QFile>
#include <QMainWindow>
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
#include "support/watched_pipe.h"

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

  // Named pipes in place of the preferences file and a database: start-up
  // must not wait for a writer. The window opens and works, and only saving
  // the font size at the close says the preferences file cannot be used.
  void namedPipesForFilesDoNotHoldUpStartUp() {
    QFile::remove(config_.filePath(QStringLiteral("Quillfern Preferences")));  // from a run before
    WatchedPipe preferences(config_.filePath(QStringLiteral("Quillfern Preferences")));
    WatchedPipe database(data_.filePath(QStringLiteral("hanzidata.rsd")));
    QVERIFY(preferences.Made() && database.Made());
    bool shown = false;
    QTimer::singleShot(50, [&shown] {
      shown = MainWindow::Instance()->Widget()->isVisible();
      MainWindow::Instance()->CloseWindow();
    });
    Main();
    QVERIFY(shown);
    QCOMPARE(fw::RuntimeExitStatus(), 0);
    QCOMPARE(messages_, QStringList{QStringLiteral("Cannot access the preferences file.")});
    QVERIFY(!preferences.ReaderWasStuck());
    QVERIFY(!database.ReaderWasStuck());
    QVERIFY(WatchedPipe::IsPipe(config_.filePath(QStringLiteral("Quillfern Preferences"))));
    QVERIFY(WatchedPipe::IsPipe(data_.filePath(QStringLiteral("hanzidata.rsd"))));
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
