// The About window: its texts, its fixed frame, the masked icon, and closing
// it alone without disturbing a lookup.
#include <QFontMetrics>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include "app/project_pictures.h"
#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/static_text.h"
#include "framework/thread.h"
#include "help_about/about_window.h"
#include "support/app_fixture.h"
#include "support/closing.h"
#include "support/focus.h"
#include "support/menu_choice.h"
#include "support/open_windows.h"
#include "support/own_bus.h"
#include "support/yield_slice.h"

namespace {

AboutWindow* ChooseAbout() {
  if (App::Instance()->AppleAboutthisapplication_Action()) return nullptr;
  return OnlyOpen<AboutWindow>();
}

fw::Canvas& Icon(AboutWindow& about) { return about.ControlByName<fw::Canvas>("Canvas1"); }

}  // namespace

class AboutWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void cleanup() { DeleteClosedWindows(); }

  void labelsShowTheirTexts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QRect>("bounds");
    QTest::newRow("name") << "StaticText1"
                          << "Quillfern" << 13 << true << QRect(34, 85, 218, 20);
    QTest::newRow("version") << "StaticText2"
                             << "1.2.0" << 10 << false << QRect(20, 111, 246, 22);
    QTest::newRow("data notice") << "StaticText3"
                                 << "Character data: Unicode Han Database and OpenCC" << 10 << false
                                 << QRect(10, 127, 266, 20);
    QTest::newRow("licence notice") << "StaticText4"
                                    << "Free software" << 10 << false << QRect(93, 146, 100, 20);
  }
  void labelsShowTheirTexts() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(int, size);
    QFETCH(bool, bold);
    QFETCH(QRect, bounds);
    AppFixture app;
    AboutWindow* about = ChooseAbout();
    QVERIFY(about);
    auto& label = about->ControlByName<fw::StaticText>(name);
    QCOMPARE(label.Text(), text);
    QCOMPARE(label.Font().TextSize, size);
    QCOMPARE(label.Font().Bold, bold);
    QCOMPARE(label.TextAlign(), 1);
    QCOMPARE(label.Bounds(), bounds);
    auto* widget = static_cast<QLabel*>(label.Widget());
    QCOMPARE(widget->geometry(), bounds);
    QVERIFY(widget->isVisible());
    QVERIFY(widget->alignment() & Qt::AlignHCenter);
    QCOMPARE(widget->font().bold(), bold);
    QCOMPARE(widget->font().pixelSize(), size);
    // Centred text that is wider than its label would lose both ends.
    QVERIFY(QFontMetrics(widget->font()).horizontalAdvance(text) <= bounds.width());
  }

  void windowIsFixedUntitledAndCentred() {
    AppFixture app;
    AboutWindow* about = ChooseAbout();
    QVERIFY(about);
    QVERIFY(QTest::qWaitForWindowExposed(about->Widget()));
    QCOMPARE(about->Title(), QString());
    QCOMPARE(QSize(about->Width(), about->Height()), QSize(286, 178));
    QVERIFY(!about->Resizeable());
    const Qt::WindowFlags flags = about->Widget()->windowFlags();
    QVERIFY(flags & Qt::WindowMinimizeButtonHint);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    const QPoint screenCentre = about->Widget()->screen()->availableGeometry().center();
    const QPoint windowCentre = about->Widget()->frameGeometry().center();
    QVERIFY2((screenCentre - windowCentre).manhattanLength() <= 1,
             qPrintable(QStringLiteral("window centre %1,%2, screen centre %3,%4")
                            .arg(windowCentre.x())
                            .arg(windowCentre.y())
                            .arg(screenCentre.x())
                            .arg(screenCentre.y())));

    // The size cannot be changed: once the window system holds the size the
    // window settled on, that is still the designed one.
    const QSize frame = about->Widget()->size();
    for (const QSize asked : {QSize(500, 400), QSize(100, 80)}) {
      about->Widget()->resize(asked);
      QTRY_COMPARE(about->Widget()->windowHandle()->size(), about->Widget()->size());
      QCOMPARE(about->Widget()->size(), frame);
      QCOMPARE(QSize(about->Width(), about->Height()), QSize(286, 178));
    }
  }

  void iconIsTheMaskedProgramIcon() {
    AppFixture app;
    QPointer<AboutWindow> about = ChooseAbout();
    QVERIFY(about);
    fw::Canvas& canvas = Icon(*about);
    QCOMPARE(canvas.Bounds(), QRect(111, 14, 64, 64));
    QCOMPARE(canvas.Widget()->geometry(), QRect(111, 14, 64, 64));
    const std::shared_ptr<fw::Picture> backdrop = canvas.Backdrop();
    QVERIFY(backdrop);
    QCOMPARE(backdrop.get(), icon64().get());
    QVERIFY(backdrop->HasMask());
    const QImage shown = backdrop->Composited();
    QCOMPARE(shown.size(), QSize(64, 64));
    QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(shown.pixel(63, 63)), 0);
    QCOMPARE(qAlpha(shown.pixel(32, 32)), 255);

    // Reopened, the window shows the same picture, masked the same way.
    QCOMPARE(about->FileClose_Action(), false);
    DeleteClosedWindows();
    QVERIFY(!about);
    AboutWindow* again = ChooseAbout();
    QVERIFY(again);
    QCOMPARE(Icon(*again).Backdrop().get(), icon64().get());
    QCOMPARE(Icon(*again).Backdrop()->Composited(), shown);
    QCOMPARE(app.messages, QStringList());
  }

  void canvasPaintsTheIconOverTheWindowGround() {
    AppFixture app;
    AboutWindow* about = ChooseAbout();
    QVERIFY(about);
    const QImage window = about->Content()->grab().toImage();
    const QImage icon = icon64()->Composited();
    const QPoint at(111, 14);
    // A transparent corner lets the window's ground through; the opaque
    // middle is the icon's own colour.
    QCOMPARE(window.pixelColor(at).rgb(), window.pixelColor(at - QPoint(4, 4)).rgb());
    QCOMPARE(window.pixelColor(at + QPoint(32, 32)).rgb(), icon.pixelColor(32, 32).rgb());
  }

  void closeClosesOnlyTheAboutWindow_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("File > Close") << false;
    QTest::newRow("Ctrl+W") << true;
  }
  void closeClosesOnlyTheAboutWindow() {
    QFETCH(bool, byKey);
    AppFixture app;
    VerifyClosingLeavesOnlyTheMainWindow(app, ChooseAbout(), byKey);
    if (QTest::currentTestFailed()) return;
    QVERIFY(!OnlyOpen<AboutWindow>());
  }

  void closingDuringALookupLetsItFinish() {
    AppFixture app(RealDataFolder());
    // Yielding at every call, the worker is sure to be still running when the
    // window closes; afterwards it may go at its usual pace.
    YieldingAtEveryCall yielding;
    AboutWindow* about = ChooseAbout();
    QVERIFY(about);
    app.StartLookUp(QStringLiteral("國"));
    QVERIFY(fw::Thread::Running() > 0);
    QVERIFY(Activate(*about));
    Choose("FileClose");
    QVERIFY(!OnlyOpen<AboutWindow>());
    DeleteClosedWindows();
    QVERIFY(fw::Thread::Running() > 0);
    yielding.End();
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Text(), QStringLiteral("Unicode: 570B"));
    QVERIFY(app.Control<fw::EditField>("ZVariantField").Text().contains(QStringLiteral("国")));
    QCOMPARE(app.messages, QStringList());
    QVERIFY(!fw::QuitRequested());
  }
};

QTEST_MAIN(AboutWindowTest)
#include "tst_about_window.moc"
