// A request from another application while another program covers Quillfern,
// on a real X server: every window of the program comes up above the other
// program in its own order, and the one in front last is active again.
#include <QApplication>
#include <QMainWindow>
#include <QProcess>
#include <QTest>

#include "app/app.h"
#include "framework/pasteboard.h"
#include "framework/static_text.h"
#include "help_about/about_window.h"
#include "services/my_events.h"
#include "support/app_fixture.h"
#include "support/focus.h"
#include "support/own_bus.h"
#include "support/x_windows.h"

using test::Depths;

namespace {

struct Probe : MyEvents {
  using MyEvents::ServicePerform;
};

}  // namespace

class ComingToFrontTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
  }

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
    const WId coverId = test::StartCover(cover);
    QVERIFY(coverId != 0);
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
