// The titles the window manager is given, read back from a real X server: a
// window's title is its title-bar text and nothing else.
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/start_up.h"
#include "framework/folders.h"
#include "framework/message_box.h"
#include "framework/runtime.h"
#include "framework/window.h"
#include "support/open_windows.h"

namespace {

// What xprop reads of the window's _NET_WM_NAME, the title window managers show.
QString NetWmName(const fw::Window& window) {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"),
              {QStringLiteral("-id"), QString::number(window.Widget()->winId()),
               QStringLiteral("_NET_WM_NAME")});
  if (!xprop.waitForFinished(10000) || xprop.exitCode() != 0)
    return QStringLiteral("<xprop failed: %1>")
        .arg(QString::fromLocal8Bit(xprop.readAllStandardError()));
  // _NET_WM_NAME(UTF8_STRING) = "Quillfern Help"
  const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
  const qsizetype quote = line.indexOf(u'"');
  return quote < 0 ? QStringLiteral("<%1>").arg(line) : line.mid(quote + 1).chopped(1);
}

}  // namespace

class WindowTitlesTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_, data_;

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    fw::SetApplicationFolder(data_.path());
    fw::SetMessageHandler([](const QString&) {});
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
  }
  void cleanupTestCase() {
    for (fw::Window* window : fw::Window::OpenWindows()) delete window;
    DeleteAppInstance();
  }

  void titlesReachTheWindowManagerUnchanged_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("title");
    QTest::newRow("main") << "MainWindow"
                          << "Quillfern";
    QTest::newRow("Help") << "HelpWindow"
                          << "Quillfern Help";
    // An empty title is never published: the window manager gets the program's name.
    QTest::newRow("About") << "AboutWindow"
                           << "Quillfern";
  }
  void titlesReachTheWindowManagerUnchanged() {
    QFETCH(QString, window);
    QFETCH(QString, title);
    fw::Window* shown = OpenWindowNamed(window);
    QVERIFY(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown->Widget()));
    QTRY_COMPARE(NetWmName(*shown), title);
  }
};

int main(int argc, char** argv) {
  fw::RuntimeInit(argc, argv);
  WindowTitlesTest test;
  const int failures = QTest::qExec(&test, argc, argv);
  fw::RuntimeExit();
  return failures;
}

#include "tst_window_titles.moc"
