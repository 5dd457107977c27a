// Starting the real program while a copy of it runs, on a real X server and a
// private session bus: the running copy comes to the front above another
// program, and the new process ends at once with status 0, having shown no
// window. A copy on its way out, or one that does not answer, does not take
// the start.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <csignal>
#include <memory>
#include <vector>

#include "framework/application_events.h"
#include "support/bus_caller.h"
#include "support/flavours.h"
#include "support/own_bus.h"
#include "support/program_run.h"
#include "support/stored_preference.h"
#include "support/x_tools.h"
#include "support/x_windows.h"

using fw::ApplicationEvents;
using test::BusNameOwner;
using test::StartProgram;
using test::WaitUntilEnded;
using test::WaitUntilRunning;

namespace {

const QString kTitle = QStringLiteral("Quillfern");
const QString kSize = QStringLiteral("VariantFontSize");

// Every window the X server maps from now on, as another program sees it.
class MapWatch {
 public:
  MapWatch() {
    xev_.start(QStringLiteral("xev"),
               {QStringLiteral("-root"), QStringLiteral("-event"), QStringLiteral("substructure"),
                QStringLiteral("-event"), QStringLiteral("property")});
    // xev watches once it reports a change the test makes to the screen,
    // which may take a while on a busy machine.
    watching_ = QTest::qWaitFor(
        [&] {
          QProcess::execute(
              QStringLiteral("xprop"),
              {QStringLiteral("-root"), QStringLiteral("-f"), kProbe, QStringLiteral("8s"),
               QStringLiteral("-set"), kProbe, QStringLiteral("watching")});
          Mapped();
          return output_.contains(u'(' + kProbe + u')');
        },
        20000);
  }
  ~MapWatch() {
    xev_.kill();
    xev_.waitForFinished();
  }
  // Waits until the watch has seen window mapped: everything mapped before
  // has been seen too.
  bool Saw(WId window) {
    return QTest::qWaitFor([&] { return Mapped().contains(window); }, 20000);
  }
  bool Watching() const { return watching_; }
  QList<WId> Mapped() {
    output_ += QString::fromLocal8Bit(xev_.readAllStandardOutput());
    static const QRegularExpression map(
        QStringLiteral("MapNotify event,[^\\n]*\\n\\s+event 0x[0-9a-f]+, window (0x[0-9a-f]+)"));
    QList<WId> mapped;
    for (auto it = map.globalMatch(output_); it.hasNext();)
      mapped << it.next().captured(1).toULongLong(nullptr, 16);
    return mapped;
  }

 private:
  QProcess xev_;
  QString output_;
  bool watching_ = false;
  static inline const QString kProbe = QStringLiteral("QUILLFERN_TEST_PROBE");
};

}  // namespace

class SecondStartTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_;

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QVERIFY2(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"), "run under dbus-run-session");
    QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "run under xvfb-run");
    qDBusRegisterMetaType<Flavours>();
  }

  // Another program covers the running copy; the user starts the program
  // again. Once the first copy has gone, a new start is the running copy.
  void aSecondStartBringsTheRunningCopyForward() {
    QProcess first;
    StartProgram(first, config_.path());
    QVERIFY(WaitUntilRunning(first));
    QList<WId> shown;
    QTRY_COMPARE_WITH_TIMEOUT((shown = test::ViewableNamed(kTitle)).size(), 1, 20000);
    const WId mainWindow = shown.first();

    MapWatch watch;
    QVERIFY(watch.Watching());
    QProcess cover;
    const WId coverId = test::StartCover(cover);
    QVERIFY(coverId != 0);
    QVERIFY(watch.Saw(coverId));
    QTRY_COMPARE(test::Depths({coverId, mainWindow}), (QList<qsizetype>{0, 1}));

    QProcess second;
    StartProgram(second, config_.path());
    QVERIFY(WaitUntilEnded(second));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_COMPARE(test::Depths({mainWindow, coverId}), (QList<qsizetype>{0, 1}));
    // The cover going away is seen after anything the second start mapped.
    cover.kill();
    cover.waitForFinished();
    QVERIFY(Unmapped(coverId));
    QCOMPARE(watch.Mapped(), QList<WId>{coverId});
    QCOMPARE(test::ViewableNamed(kTitle), QList<WId>{mainWindow});
    QCOMPARE(BusNameOwner(), first.processId());

    first.terminate();
    QVERIFY(WaitUntilEnded(first));
    QProcess next;
    StartProgram(next, config_.path());
    QVERIFY(WaitUntilRunning(next));
    next.terminate();
    QVERIFY(WaitUntilEnded(next));
  }

  // Two starts at the same moment: one runs, the other hands over to it.
  void twoStartsAtOnceLeaveOneRunning() {
    QProcess a;
    QProcess b;
    StartProgram(a, config_.path());
    StartProgram(b, config_.path());
    QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning,
                             60000);
    QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
    QProcess& running = &ended == &a ? b : a;
    QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
    QCOMPARE(ended.exitCode(), 0);
    QVERIFY(WaitUntilRunning(running));
    running.terminate();
    QVERIFY(WaitUntilEnded(running));
  }

  // The user quits, and the size cannot be stored: a box says so and waits;
  // or the running copy is stopped. Starts made meanwhile do not hand over to
  // it: each shows its window at once, and a lookup sent to the quitting copy
  // is refused. Once it has gone, the first start in line owns the name; every
  // other comes to it and steps back as a quit does, storing its size. One
  // that cannot store it asks nobody: it says so on standard error.
  void startsDuringAQuitSettleOnOne_data() {
    QTest::addColumn<int>("starts");
    QTest::addColumn<bool>("stopped");  // the running copy is stopped, not quitting
    QTest::addColumn<bool>("shared");   // the starts share its unwritable preferences
    QTest::newRow("one start during the quit box") << 1 << false << false;
    QTest::newRow("three starts during the quit box") << 3 << false << false;
    QTest::newRow("three starts sharing the unwritable preferences") << 3 << false << true;
    QTest::newRow("two starts while the running copy is stopped") << 2 << true << false;
  }
  void startsDuringAQuitSettleOnOne() {
    QFETCH(int, starts);
    QFETCH(bool, stopped);
    QFETCH(bool, shared);
    QTemporaryDir config;
    if (!stopped) QVERIFY(QDir(config.path()).mkdir(QStringLiteral("Quillfern Preferences")));
    QProcess first;
    StartProgram(first, config.path());
    QVERIFY(WaitUntilRunning(first));
    QList<WId> shown;
    QTRY_COMPARE_WITH_TIMEOUT((shown = test::ViewableNamed(kTitle)).size(), 1, 20000);
    const WId mainWindow = shown.first();
    WId box = 0;
    if (stopped) {
      QCOMPARE(::kill(pid_t(first.processId()), SIGSTOP), 0);
    } else {
      QVERIFY(Press(mainWindow, QStringLiteral("ctrl+q")));
      QTRY_COMPARE_WITH_TIMEOUT((shown = test::ViewableNamed(kTitle)).size(), 2, 20000);
      shown.removeOne(mainWindow);
      box = shown.first();
      test::BusCaller lookup;
      QDBusPendingCall reply =
          lookup.ServicePerform({{kUtf8, QStringLiteral("國").toUtf8()}}, QStringLiteral("SOHZge"));
      QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 20000);
      QVERIFY(reply.isError());
    }
    const qsizetype windows = test::ViewableNamed(kTitle).size();

    // Each start stores 37 as it ends; its file says 45 meanwhile.
    std::vector<std::unique_ptr<test::ProgramCopy>> later;
    for (int i = 0; i < starts; ++i) {
      later.push_back(std::make_unique<test::ProgramCopy>());
      if (!shared) QVERIFY(WritePreference(later.back()->preferences, kSize, QStringLiteral("37")));
      StartProgram(later.back()->program, shared ? config.path() : later.back()->config.path());
    }
    QTRY_COMPARE_WITH_TIMEOUT(test::ViewableNamed(kTitle).size(), windows + starts, 60000);
    for (const auto& start : later)
      QVERIFY(shared || WritePreference(start->preferences, kSize, QStringLiteral("45")));
    QCOMPARE(BusNameOwner(), first.processId());

    if (stopped) {
      QCOMPARE(::kill(pid_t(first.processId()), SIGTERM), 0);
      QCOMPARE(::kill(pid_t(first.processId()), SIGCONT), 0);
    } else {
      QVERIFY(Press(box, QStringLiteral("Return")));
    }
    QVERIFY(WaitUntilEnded(first));
    QCOMPARE(first.exitCode(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(std::count_if(later.begin(), later.end(),
                                            [](const auto& start) {
                                              return start->program.state() != QProcess::NotRunning;
                                            }),
                              1, 60000);
    for (const auto& start : later) {
      if (start->program.state() != QProcess::NotRunning) {
        QVERIFY(WaitUntilRunning(start->program));
        QVERIFY(shared || StoredPreference(start->preferences, kSize) == QStringLiteral("45"));
        continue;
      }
      QCOMPARE(start->program.exitStatus(), QProcess::NormalExit);
      QCOMPARE(start->program.exitCode(), 0);
      if (shared)
        QVERIFY(
            start->program.readAllStandardError().contains("Cannot access the preferences file."));
      else
        QCOMPARE(StoredPreference(start->preferences, kSize), QStringLiteral("37"));
    }
    QTRY_COMPARE_WITH_TIMEOUT(test::ViewableNamed(kTitle).size(), 1, 20000);
    for (const auto& start : later) start->program.terminate();
    for (const auto& start : later) QVERIFY(WaitUntilEnded(start->program));
  }

  // The running copy is stopped (or hung) and answers nothing. A new start
  // waits for it once, then runs: its window shows, and it answers at once.
  // While it waits its event loop cannot act on a termination signal: the
  // signal ends it at once.
  void aStartWaitsOnceForACopyThatDoesNotAnswer_data() {
    QTest::addColumn<bool>("signalled");
    QTest::newRow("runs after the wait") << false;
    QTest::newRow("SIGTERM during the wait") << true;
  }
  void aStartWaitsOnceForACopyThatDoesNotAnswer() {
    QFETCH(bool, signalled);
    QProcess first;
    StartProgram(first, config_.path());
    QVERIFY(WaitUntilRunning(first));
    QCOMPARE(::kill(pid_t(first.processId()), SIGSTOP), 0);
    QProcess second;
    StartProgram(second, config_.path());
    if (signalled) {
      // Connected, it waits.
      QTRY_VERIFY_WITH_TIMEOUT(!test::ConnectionOf(second.processId()).isEmpty(), 20000);
      QCOMPARE(::kill(pid_t(second.processId()), SIGTERM), 0);
      QVERIFY(WaitUntilEnded(second, 5000));
      QCOMPARE(second.exitStatus(), QProcess::CrashExit);
    } else {
      QTRY_COMPARE_WITH_TIMEOUT(test::ViewableNamed(kTitle).size(), 2, 30000);
      QDBusMessage request = QDBusMessage::createMethodCall(
          test::ConnectionOf(second.processId()), QLatin1String(ApplicationEvents::kObjectPath),
          QLatin1String(ApplicationEvents::kInterfaceName), QStringLiteral("ServicePerform"));
      request << QVariant::fromValue(Flavours{}) << QStringLiteral("nothing") << QString();
      const QDBusMessage answer = QDBusConnection::sessionBus().call(request, QDBus::Block, 5000);
      QVERIFY2(answer.type() == QDBusMessage::ReplyMessage, qPrintable(answer.errorMessage()));
      second.terminate();
      QVERIFY(WaitUntilEnded(second));
      QCOMPARE(second.exitCode(), 0);
    }
    QCOMPARE(::kill(pid_t(first.processId()), SIGCONT), 0);
    first.terminate();
    QVERIFY(WaitUntilEnded(first));
  }

  // With no session bus to ask, every start runs and shows its window.
  void withoutASessionBusEveryStartRuns() {
    const QStringList noBus{QStringLiteral("DBUS_SESSION_BUS_ADDRESS=unix:path=") +
                            config_.filePath(QStringLiteral("no-bus"))};
    QProcess a;
    QProcess b;
    StartProgram(a, config_.path(), noBus);
    StartProgram(b, config_.path(), noBus);
    QTRY_COMPARE_WITH_TIMEOUT(test::ViewableNamed(kTitle).size(), 2, 60000);
    QCOMPARE(BusNameOwner(), 0);
    for (QProcess* program : {&a, &b}) {
      program->terminate();
      QVERIFY(WaitUntilEnded(*program));
      QCOMPARE(program->exitCode(), 0);
    }
  }

 private:
  // The user clicks into the window and presses the keys.
  static bool Press(WId window, const QString& keys) {
    return XDoTool({QStringLiteral("windowfocus"), QStringLiteral("--sync"),
                    QString::number(window)}) &&
           XDoTool({QStringLiteral("key"), keys});
  }
  static bool Unmapped(WId window) {
    return QTest::qWaitFor([&] { return !test::Stack().contains(window); }, 20000);
  }
};

QTEST_MAIN(SecondStartTest)
#include "tst_second_start.moc"
