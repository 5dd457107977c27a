// A request from another application while another program covers Quillfern,
// on a real X server: every window of the program comes up above the other
// program in its own order, and the one in front last is active again.
#include <QApplication>
#include <QMainWindow>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include "app/app.h"
#include "framework/pasteboard.h"
#include "framework/static_text.h"
#include "help_about/about_window.h"
#include "services/my_events.h"
#include "support/app_fixture.h"
#include "support/focus.h"

namespace {

struct Probe : MyEvents {
  using MyEvents::ServicePerform;
};

// The X windows at the top level, topmost first, as xwininfo lists them.
QList<WId> Stack() {
  QProcess xwininfo;
  xwininfo.start(QStringLiteral("xwininfo"),
                 {QStringLiteral("-root"), QStringLiteral("-children")});
  if (!xwininfo.waitForFinished(10000)) return {};
  QList<WId> stack;
  static const QRegularExpression child(QStringLiteral("^\\s+(0x[0-9a-f]+) "));
  for (const QString& line : QString::fromLocal8Bit(xwininfo.readAllStandardOutput()).split('\n'))
    if (const auto match = child.match(line); match.hasMatch())
      stack << match.captured(1).toULongLong(nullptr, 16);
  return stack;
}

// The X window whose name is name, or 0.
WId Named(const QString& name) {
  QProcess xwininfo;
  xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-name"), name});
  if (!xwininfo.waitForFinished(10000) || xwininfo.exitCode() != 0) return 0;
  static const QRegularExpression id(QStringLiteral("Window id: (0x[0-9a-f]+)"));
  const auto match = id.match(QString::fromLocal8Bit(xwininfo.readAllStandardOutput()));
  return match.hasMatch() ? match.captured(1).toULongLong(nullptr, 16) : 0;
}

// Where each window lies in the stack, 0 at the top; -1 when it is not there.
QList<qsizetype> Depths(const QList<WId>& windows) {
  const QList<WId> stack = Stack();
  QList<qsizetype> depths;
  for (WId window : windows) depths << stack.indexOf(window);
  return depths;
}

}  // namespace

class ComingToFrontTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb")); }

  // The About window or the main window was in front last; another program
  // then covered both.
  void aRequestRaisesEveryWindowInItsOrder_data() {
    QTest::addColumn<bool>("aboutInFront");
    QTest::newRow("About in front") << true;
    QTest::newRow("main window in front") << false;
  }
  void aRequestRaisesEveryWindowInItsOrder() {
    QFETCH(bool, aboutInFront);
    AppFixture app;
    AboutWindow* about = AboutWindow::Instance();
    QVERIFY(Activate(*about));
    if (!aboutInFront) QVERIFY(Activate(*app.Window()));
    fw::Window* front = aboutInFront ? static_cast<fw::Window*>(about) : app.Window();
    fw::Window* behind = aboutInFront ? static_cast<fw::Window*>(app.Window()) : about;
    const WId frontId = front->Widget()->winId(), behindId = behind->Widget()->winId();
    QTRY_COMPARE(Depths({frontId, behindId}), (QList<qsizetype>{0, 1}));

    QProcess cover;
    cover.start(QStringLiteral("xmessage"),
                {QStringLiteral("-name"), QStringLiteral("cover"), QStringLiteral("-geometry"),
                 QStringLiteral("1024x768+0+0"), QStringLiteral("another program")});
    QVERIFY(cover.waitForStarted());
    WId coverId = 0;
    QTRY_VERIFY((coverId = Named(QStringLiteral("cover"))) != 0);
    QTRY_COMPARE(Depths({coverId, frontId, behindId}), (QList<qsizetype>{0, 1, 2}));

    Probe().ServicePerform(fw::Pasteboard({{"text/plain;charset=utf-8", QByteArray("鳥")}}),
                           QStringLiteral("SOHZge"), QString());
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Text(), QStringLiteral("Unicode: 9CE5"));
    QTRY_COMPARE(Depths({frontId, behindId, coverId}), (QList<qsizetype>{0, 1, 2}));
    QTRY_COMPARE(QApplication::activeWindow(), front->Widget());

    cover.kill();
    cover.waitForFinished();
  }
};

QTEST_MAIN(ComingToFrontTest)
#include "tst_coming_to_front.moc"
