// The end of the desktop session, with the real program in a process of its
// own on a real X server: SIGTERM (what a session sends at logout), SIGHUP
// and SIGINT quit it as File > Quit does. Its main window stores the variants'
// size in the preferences file on disk, and the exit status is 0, also while
// a message box waits for the user. A signal ignored at start stays ignored.
#include <QDBusPendingReply>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "support/bus_caller.h"
#include "support/flavours.h"
#include "support/own_bus.h"
#include "support/program_run.h"
#include "support/stored_preference.h"
#include "support/x_windows.h"

namespace {

const QString kSize = QStringLiteral("VariantFontSize");
const QString kTitle = QStringLiteral("Quillfern");

// The real program in a preferences folder of its own, started with the
// slider at 37.
struct Run : test::ProgramCopy {
  // False when the program does not come to own its bus name. A signal
  // ignored at start is ignored as nohup or a shell's background job does.
  bool Start(int ignored = 0) {
    if (!WritePreference(preferences, kSize, QStringLiteral("37"))) return false;
    if (ignored) program.setChildProcessModifier([ignored] { std::signal(ignored, SIG_IGN); });
    test::StartProgram(program, config.path());
    return test::WaitUntilRunning(program);
  }
  // Sends the signal; false when it cannot be sent or the program does not end.
  bool EndOn(int signal) {
    return ::kill(pid_t(program.processId()), signal) == 0 && test::WaitUntilEnded(program);
  }
};

// The signals the process ignores, as the kernel reports them: bit n-1 for signal n.
quint64 IgnoredSignals(qint64 processId) {
  QFile status(QStringLiteral("/proc/%1/status").arg(processId));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
    if (line.startsWith("SigIgn:")) return line.mid(7).trimmed().toULongLong(nullptr, 16);
  return 0;
}

}  // namespace

class SessionEndTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QVERIFY2(qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"), "run under dbus-run-session");
    QVERIFY2(qEnvironmentVariableIsSet("DISPLAY"), "run under xvfb-run");
  }

  void aTerminationSignalStoresTheSizeAndEndsWithStatusZero_data() {
    QTest::addColumn<int>("signal");
    QTest::addColumn<bool>("boxUp");
    QTest::addColumn<int>("ignored");  // ignored at start, and sent first; 0: none
    QTest::newRow("SIGTERM") << SIGTERM << false << 0;
    QTest::newRow("SIGHUP") << SIGHUP << false << 0;
    QTest::newRow("SIGINT") << SIGINT << false << 0;
    QTest::newRow("SIGTERM with the not-found box up") << SIGTERM << true << 0;
    QTest::newRow("SIGHUP with the not-found box up") << SIGHUP << true << 0;
    QTest::newRow("SIGTERM, started with SIGHUP ignored (nohup)") << SIGTERM << false << SIGHUP;
    QTest::newRow("SIGTERM, started with SIGINT ignored (background job)")
        << SIGTERM << false << SIGINT;
  }
  void aTerminationSignalStoresTheSizeAndEndsWithStatusZero() {
    QFETCH(int, signal);
    QFETCH(bool, boxUp);
    QFETCH(int, ignored);
    Run run;
    // The slider opens at 37, which the program keeps in the slider alone: the
    // file then says 45, so only a store at quitting brings 37 back.
    QVERIFY(run.Start(ignored));
    QVERIFY(WritePreference(run.preferences, kSize, QStringLiteral("45")));

    if (ignored) {
      // Still ignored once the program has started; it goes on, to end below.
      QVERIFY(IgnoredSignals(run.program.processId()) & (1ull << (ignored - 1)));
      QCOMPARE(::kill(pid_t(run.program.processId()), ignored), 0);
    }

    if (boxUp) {
      // U+FFFD is in no character database: the lookup shows its box and waits.
      test::BusCaller caller;
      QDBusPendingReply<bool> reply = caller.ServicePerform(
          {{kUtf8, QStringLiteral("\uFFFD").toUtf8()}}, QStringLiteral("SOHZge"));
      QTRY_VERIFY_WITH_TIMEOUT(reply.isFinished(), 60000);
      QVERIFY2(!reply.isError(), qPrintable(reply.error().message()));
      QTRY_COMPARE_WITH_TIMEOUT(test::ViewableNamed(kTitle).size(), 2, 60000);
    }

    QVERIFY(run.EndOn(signal));
    QCOMPARE(run.program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.program.exitCode(), 0);
    QCOMPARE(StoredPreference(run.preferences, kSize), QStringLiteral("37"));
  }

  // Nobody is there to answer a box at the end of the session: one that
  // storing the size raises goes to standard error, and the run ends.
  void aBoxWhileQuittingDoesNotHoldUpTheEnd() {
    Run run;
    QVERIFY(run.Start());
    // A hand edit with a slip in it: the size cannot be stored there.
    const QByteArray broken("<root><VariantFontSize>45</VariantFontSize>");
    QFile file(run.preferences);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(broken), broken.size());
    file.close();

    QVERIFY(run.EndOn(SIGTERM));
    QCOMPARE(run.program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.program.exitCode(), 0);
    QVERIFY(run.program.readAllStandardError().contains("Failed to write the preferences file."));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), broken);
  }
};

QTEST_MAIN(SessionEndTest)
#include "tst_session_end.moc"
