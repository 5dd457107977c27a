// The main window on a real X server after looking up 國: screenshots are
// saved for people to look at, and checked for what a person would see.
#include <QDir>
#include <QFrame>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <functional>
#include <tuple>

#include "framework/localized_strings.h"
#include "framework/slider.h"
#include "framework/tab_panel.h"
#include "support/app_fixture.h"
#include "support/open_windows.h"
#include "support/own_bus.h"

#ifndef QUILLFERN_ARTIFACTS_DIR
#define QUILLFERN_ARTIFACTS_DIR QUILLFERN_APP_DIR "/../artifacts"
#endif

namespace {

// Counts the pixels of a rectangle of the shot that pass a test.
int CountPixels(const QImage& shot, const QRect& area, const std::function<bool(QRgb)>& test) {
  int count = 0;
  const QRect inside = area.intersected(shot.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y)
    for (int x = inside.left(); x <= inside.right(); ++x) count += test(shot.pixel(x, y));
  return count;
}

bool Dark(QRgb pixel) { return qGray(pixel) < 100; }
bool WellGrey(QRgb pixel) {
  return qAbs(qRed(pixel) - 0xf2) <= 2 && qAbs(qGreen(pixel) - 0xf2) <= 2 &&
         qAbs(qBlue(pixel) - 0xf2) <= 2;
}

}  // namespace

class ScreenshotTest : public QObject {
  Q_OBJECT

  QImage shot_;
  QPoint origin_;  // the content area's top left in the shot

  // A rectangle in window content coordinates, in the shot's pixels.
  QRect InShot(const QRect& content) const { return content.translated(origin_); }
  QRgb At(int x, int y) const { return shot_.pixel(origin_ + QPoint(x, y)); }

  // Takes the window as the screen shows it and saves the picture under name.
  bool Shoot(fw::Window* window, const QString& name) {
    QMainWindow* frame = window->Widget();
    frame->repaint();
    shot_ = frame->screen()->grabWindow(frame->winId()).toImage();
    if (shot_.isNull()) shot_ = frame->grab().toImage();
    origin_ = window->Content()->mapTo(frame, QPoint(0, 0));
    const QString folder = QStringLiteral(QUILLFERN_ARTIFACTS_DIR);
    const QString path = QDir(folder).absoluteFilePath(name);
    if (shot_.isNull() || shot_.size() != frame->size() || !QDir().mkpath(folder) ||
        !shot_.save(path))
      return false;
    qInfo("screenshot of the main window: %s", qPrintable(path));
    return true;
  }

  // Opens the main window on the real data and looks up 國.
  static void LookUpGuo(AppFixture& app) {
    QVERIFY(QTest::qWaitForWindowExposed(app.Window()->Widget()));
    app.LookUp(QString::fromUtf8("國"));
    QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), QString::fromUtf8("國"));
    QVERIFY(app.messages.isEmpty());
  }

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    fw::InstallStringTable({});
  }

  void theVariantsPageAfterALookupLooksRight() {
    AppFixture app(RealDataFolder());
    LookUpGuo(app);
    if (QTest::currentTestFailed()) return;
    QVERIFY(!app.Control<fw::EditField>("ZVariantField").Text().isEmpty());
    QVERIFY(Shoot(app.Window(), QStringLiteral("main_window.png")));
    QCOMPARE(shot_.devicePixelRatio(), 1.0);

    // The search field's rounded frame: grey border pixels around the field.
    const QPoint field = app.Control<fw::Canvas>("Canvas2").Bounds().topLeft();
    const QRgb ground = At(200, 50);  // plain window background
    for (const QPoint border : {QPoint(1, 14), QPoint(89, 1), QPoint(177, 14), QPoint(89, 26)}) {
      const QRgb pixel = At(field.x() + border.x(), field.y() + border.y());
      QVERIFY2(qAbs(qGray(pixel) - 138) <= 30 && qAbs(qGray(pixel) - qGray(ground)) > 40,
               qPrintable(QStringLiteral("border at %1,%2 is %3")
                              .arg(border.x())
                              .arg(border.y())
                              .arg(pixel, 8, 16)));
    }
    // The search field's inside shows the character.
    const QRect search = InShot(app.Control<fw::EditField>("HanziField").Bounds());
    QVERIFY(CountPixels(shot_, search, Dark) > 10);

    // The well: its light grey ground and the character drawn on it.
    const QRect well = InShot(app.Control<fw::Canvas>("Canvas1").Bounds());
    const int grey = CountPixels(shot_, well, WellGrey);
    const int dark = CountPixels(shot_, well, Dark);
    QVERIFY2(grey > 52 * 52 / 3, qPrintable(QString::number(grey)));
    QVERIFY2(dark > 100, qPrintable(QString::number(dark)));

    // The three tab titles: dark text in each tab.
    auto* tabs = static_cast<QTabWidget*>(app.Control<fw::TabPanel>("TabPanel1").Widget());
    for (int page = 0; page < tabs->count(); ++page) {
      const QRect tab = tabs->tabBar()->tabRect(page);
      const QRect shown(tabs->tabBar()->mapTo(app.Window()->Widget(), tab.topLeft()), tab.size());
      QVERIFY2(CountPixels(shot_, shown, Dark) > 20, qPrintable(tabs->tabText(page)));
    }

    // The variants of 國 in the variants field.
    const QRect variants = InShot(app.Control<fw::EditField>("ZVariantField").Bounds());
    QVERIFY(CountPixels(shot_, variants, Dark) > 200);
  }

  // Telling variant shapes apart is the point: at every size the slider
  // offers, a tall character stays whole inside the field, with a blank row
  // above and below it, and its ink grows with the size.
  void theVariantsStayWholeAtEverySize() {
    AppFixture app(RealDataFolder());
    QVERIFY(QTest::qWaitForWindowExposed(app.Window()->Widget()));
    auto& field = app.Control<fw::EditField>("ZVariantField");
    app.LookUp(QString::fromUtf8("總"));
    QVERIFY(!field.Text().isEmpty());
    auto* frame = qobject_cast<QFrame*>(field.Widget());
    QVERIFY(frame);
    const QRect inner =
        InShot(field.Bounds()).marginsRemoved(QMargins(1, 1, 1, 1) * frame->frameWidth());
    // The rows and the first column of the field that hold ink.
    auto inkRows = [&]() -> std::tuple<int, int, int> {
      int top = -1, bottom = -1, left = inner.right() + 1;
      for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
          if (Dark(shot_.pixel(x, y))) {
            if (top < 0) top = y;
            bottom = y;
            left = std::min(left, x);
          }
      return {top, bottom, left - InShot(field.Bounds()).left()};
    };
    QList<double> inkPerPixel;
    for (const int size : {30, 40, 50}) {
      app.Control<fw::Slider>("Slider1").SetValue(size);
      QCOMPARE(field.TextSize(), size);
      QVERIFY(Shoot(app.Window(), QStringLiteral("variants_%1.png").arg(size)));
      const auto [top, bottom, left] = inkRows();
      QVERIFY2(top >= 0, "no ink in the variants field");
      const int height = bottom - top + 1;
      qInfo("size %d: ink rows %d to %d of the field's inner rows 0 to %d, ink height %d", size,
            top - inner.top(), bottom - inner.top(), inner.height() - 1, height);
      QVERIFY2(top > inner.top() && bottom < inner.bottom(),
               qPrintable(QStringLiteral("ink touches the field's edge at size %1").arg(size)));
      inkPerPixel << double(height) / size;
      // The first variant lies where the tooltip counts it: from x 2, one em wide.
      QVERIFY2(left >= 2 && left < 2 + size / 4, qPrintable(QString::number(left)));
    }
    for (const double ratio : inkPerPixel)
      QVERIFY2(qAbs(ratio - inkPerPixel.first()) < 0.08, qPrintable(QString::number(ratio)));

    // New text keeps the lines where they were.
    const auto before = inkRows();
    app.LookUp(QString::fromUtf8("總"));
    QVERIFY(Shoot(app.Window(), QStringLiteral("variants_again.png")));
    QCOMPARE(inkRows(), before);
  }

  // The About and Help windows show the menu titles above their content.
  void aboutAndHelpShowTheMenus_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("about") << "AboutWindow";
    QTest::newRow("help") << "HelpWindow";
  }
  void aboutAndHelpShowTheMenus() {
    QFETCH(QString, window);
    AppFixture app;
    fw::Window* shown = OpenWindowNamed(window);
    QVERIFY(shown);
    QVERIFY(QTest::qWaitForWindowExposed(shown->Widget()));
    QVERIFY(Shoot(shown, QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png")));
    auto* bar = qobject_cast<QMenuBar*>(shown->Widget()->menuWidget());
    QVERIFY(bar);
    QCOMPARE(bar->actions().size(), 3);
    for (QAction* menu : bar->actions()) {
      const QRect title = bar->actionGeometry(menu).translated(bar->pos());
      QVERIFY2(CountPixels(shot_, title, Dark) > 10, qPrintable(menu->text()));
      QVERIFY(title.bottom() < origin_.y());
    }
  }

  void theOtherPagesShowTheReadings_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("pronunciation")
        << 1 << QStringList{"MandarinField",   "CantoneseField",   "KoreanField",
                            "VietnameseField", "JapaneseKunField", "JapaneseOnField"};
    QTest::newRow("meaning") << 2 << QStringList{"DefinitionField"};
  }
  void theOtherPagesShowTheReadings() {
    QFETCH(int, page);
    QFETCH(QStringList, fields);
    AppFixture app(RealDataFolder());
    LookUpGuo(app);
    if (QTest::currentTestFailed()) return;
    app.Control<fw::TabPanel>("TabPanel1").SetValue(page);
    const QString name = QStringLiteral("main_window_%1.png").arg(QTest::currentDataTag());
    QVERIFY(Shoot(app.Window(), name));
    for (const QString& fieldName : fields) {
      auto& field = app.Window()->ControlByName<fw::EditField>(fieldName);
      QVERIFY2(!field.Text().isEmpty(), qPrintable(fieldName));
      QVERIFY2(CountPixels(shot_, InShot(field.Bounds()), Dark) > 10, qPrintable(fieldName));
    }
  }
};

QTEST_MAIN(ScreenshotTest)
#include "tst_screenshot.moc"
