// The whole run as main drives it: the event loop, how it ends, and what
// becomes of an exception nobody caught.
#include <QApplication>
#include <QDBusConnection>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <stdexcept>

#include "app/preferences_store.h"
#include "app/start_up.h"
#include "framework/application.h"
#include "framework/application_events.h"
#include "framework/folders.h"
#include "framework/message_box.h"
#include "framework/runtime.h"
#include "framework/slider.h"
#include "framework/termination_signals.h"
#include "framework/thread.h"
#include "framework/window.h"
#include "main_window/main_window.h"
#include "support/focus.h"
#include "support/menu_choice.h"
#include "support/own_bus.h"
#include "support/watched_pipe.h"

namespace {

// A worker that waits for the user to answer a box.
class WaitingForAnswer : public fw::Thread {
 public:
  explicit WaitingForAnswer(bool& answered) : answered_(answered) {}

 protected:
  fw::Task<void> Run() override {
    co_await fw::MsgBoxAsync(QStringLiteral("waiting"));
    answered_ = true;
  }

 private:
  bool& answered_;
};

bool BoxShown() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (qobject_cast<QMessageBox*>(widget) && widget->isVisible()) return true;
  return false;
}

// What is under way when the signal comes: nothing, a box that a handler or
// a worker waits on, or the run's wait in line for its bus name behind
// another program, which it asks to come forward.
enum class Box { None, InAHandler, ForAWorker, WaitingInLine };

}  // namespace

Q_DECLARE_METATYPE(Box)

class RunTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_, data_;
  QStringList messages_;

  void Finish() {
    for (fw::Window* window : fw::Window::OpenWindows()) delete window;
    DeleteAppInstance();
  }

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

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

  // The end of the session, or of the terminal: the run ends as File > Quit
  // ends it, the main window stores the slider's size, even while a box waits.
  void aTerminationSignalQuitsAsTheMenuDoes_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<Box>("box");
    QTest::newRow("SIGTERM") << SIGTERM << Box::None;
    QTest::newRow("SIGHUP") << SIGHUP << Box::None;
    QTest::newRow("SIGINT") << SIGINT << Box::None;
    QTest::newRow("SIGTERM, a handler's box up") << SIGTERM << Box::InAHandler;
    QTest::newRow("SIGTERM, a worker's box up") << SIGTERM << Box::ForAWorker;
    QTest::newRow("SIGTERM, waiting in line for the bus name") << SIGTERM << Box::WaitingInLine;
  }
  void aTerminationSignalQuitsAsTheMenuDoes() {
    QFETCH(int, signal);
    QFETCH(Box, box);
    QFile::remove(config_.filePath(QStringLiteral("Quillfern Preferences")));  // from a run before
    bool answered = false;
    QDBusConnection holder = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "holder");
    if (box == Box::WaitingInLine)
      QVERIFY(holder.registerService(QLatin1String(fw::ApplicationEvents::kServiceName)));
    QTimer::singleShot(0, [&] {
      MainWindow::Instance()->ControlByName<fw::Slider>("Slider1").SetValue(37);
      if (box == Box::None || box == Box::WaitingInLine) {  // read once the run listens
        std::raise(signal);
        return;
      }
      fw::SetMessageHandler(nullptr);
      QTimer::singleShot(0, [signal] {
        QVERIFY(BoxShown());
        std::raise(signal);
      });
      if (box == Box::InAHandler)
        fw::MsgBox(QStringLiteral("waiting"));
      else
        (new WaitingForAnswer(answered))->Start();
    });
    Main();
    QDBusConnection::disconnectFromBus(holder.name());
    QCOMPARE(fw::RuntimeExitStatus(), 0);
    QVERIFY(fw::Window::OpenWindows().empty());
    QVERIFY(!BoxShown());
    // Whatever waited on the box does not go on into the next run.
    QCoreApplication::processEvents();
    QVERIFY(!answered);
    QCOMPARE(PreferencesStore::ReadPreferences(QStringLiteral("VariantFontSize")),
             QStringLiteral("37"));
    Finish();
  }

  // However it is asked to end, the run is quitting before the main window
  // stores the size, so a start made while a box about that waits runs on its own.
  void theRunIsQuittingBeforeTheSizeIsStored_data() {
    QTest::addColumn<QString>("how");  // a menu item, keys, "close box" or "SIGTERM"
    for (const char* how : {"FileQuit", "Ctrl+Q", "FileClose", "Ctrl+W", "close box", "SIGTERM"})
      QTest::newRow(how) << QString::fromLatin1(how);
  }
  void theRunIsQuittingBeforeTheSizeIsStored() {
    QFETCH(QString, how);
    QFile::remove(config_.filePath(QStringLiteral("Quillfern Preferences")));  // from a run before
    QVERIFY(QDir(config_.path()).mkdir(QStringLiteral("Quillfern Preferences")));
    bool quittingWhenTold = false;
    fw::SetMessageHandler([&](const QString& text) {
      messages_ << text;
      quittingWhenTold = fw::QuitRequested();
    });
    QTimer::singleShot(0, [how] {
      fw::Window& window = *MainWindow::Instance();
      QVERIFY(Activate(window));
      if (how.startsWith(QLatin1String("Ctrl+")))
        QTest::keyClick(window.Widget(), how.back().toLatin1(), Qt::ControlModifier);
      else if (how == QLatin1String("close box"))
        window.Widget()->close();
      else if (how == QLatin1String("SIGTERM"))
        std::raise(SIGTERM);
      else
        Choose(qPrintable(how));
    });
    Main();
    QVERIFY(QDir(config_.path()).rmdir(QStringLiteral("Quillfern Preferences")));
    QCOMPARE(fw::RuntimeExitStatus(), 0);
    QCOMPARE(messages_, QStringList{QStringLiteral("Cannot access the preferences file.")});
    QVERIFY(quittingWhenTold);
    Finish();
  }

  // The signal comes while a box shown during start-up waits: the run ends
  // before its loop starts.
  void aTerminationSignalDuringStartUpEndsTheRun() {
    QFile notAFolder(config_.filePath(QStringLiteral("file")));
    QVERIFY(notAFolder.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", (notAFolder.fileName() + "/config").toLocal8Bit());
    fw::SetMessageHandler(nullptr);
    QTimer::singleShot(0, [] {
      QVERIFY(BoxShown());
      std::raise(SIGTERM);
    });
    // Without it the run would go on for good; this ends it with another status.
    QTimer stuck;
    stuck.callOnTimeout([] { fw::Quit(3); });
    stuck.start(10000);
    Main();
    QCOMPARE(fw::RuntimeExitStatus(), 0);
    QVERIFY(!BoxShown());
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
  fw::QuitOnTerminationSignals();
  RunTest test;
  // QtTest's crash handler would take SIGTERM, SIGHUP and SIGINT from the run.
  QStringList arguments = QCoreApplication::arguments();
  arguments << QStringLiteral("-nocrashhandler");
  const int failures = QTest::qExec(&test, arguments);
  fw::RuntimeExit();
  return failures;
}

#include "tst_run.moc"
