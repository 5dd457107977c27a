// The main window's behaviour apart from the lookup itself: backdrops, focus
// tracking, the variant tooltip, the character well as drop target and drag
// source, the variant font size and its preference, Select All, closing.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMainWindow>
#include <QMimeData>
#include <QSlider>
#include <QTest>
#include <QTextEdit>
#include <QToolTip>

#include "app/preferences_store.h"
#include "app/project_pictures.h"
#include "framework/application.h"
#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/push_button.h"
#include "framework/slider.h"
#include "framework/static_text.h"
#include "framework/tab_panel.h"
#include "framework/text_drag.h"
#include "framework/thread.h"
#include "support/app_fixture.h"
#include "support/characters.h"
#include "support/focus.h"
#include "support/open_windows.h"
#include "support/own_bus.h"
#include "support/pointer.h"
#include "support/stored_preference.h"

namespace {

QByteArray PreferencesWithVariantFontSize(const QString& size) {
  return PreferencesStore::Updated(PreferencesStore::InitialDocument(QStringLiteral("12")),
                                   QStringLiteral("VariantFontSize"), size)
      .value();
}

// Pixel for pixel (the stored pictures carry a colour space the copies lack).
bool SamePixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
  return true;
}

// The outer three pixels all round, where a focus frame is drawn.
QList<QRgb> FramePixels(const QImage& image) {
  QList<QRgb> pixels;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qMin(qMin(x, y), qMin(image.width() - 1 - x, image.height() - 1 - y)) < 3)
        pixels << image.pixel(x, y);
  return pixels;
}

}  // namespace

class MainWindowBehaviourTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void backdropIsTheCachedPictureSeenThroughItsMask_data() {
    QTest::addColumn<QString>("canvas");
    QTest::newRow("search field frame") << "Canvas2";
    QTest::newRow("character well frame") << "Canvas3";
  }
  void backdropIsTheCachedPictureSeenThroughItsMask() {
    QFETCH(QString, canvas);
    AppFixture app;
    const bool field = canvas == QLatin1String("Canvas2");
    const std::shared_ptr<fw::Picture> picture = field ? roundedfield() : imagewellipict();
    const std::shared_ptr<fw::Picture> mask = field ? roundedfieldmask() : imagewellmask();
    const std::shared_ptr<fw::Picture> backdrop =
        app.Control<fw::Canvas>(canvas.toUtf8()).Backdrop();
    QVERIFY(backdrop);
    QCOMPARE(backdrop.get(), picture.get());
    QVERIFY(backdrop->HasMask());
    QVERIFY(SamePixels(backdrop->Mask().Image(), mask->Image()));
    const QImage shown = backdrop->Composited();
    QCOMPARE(qAlpha(shown.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(shown.pixel(shown.width() / 2, shown.height() / 2)), 255);
  }

  void codeAndCurrentTextStartEmptyAndCurrentFieldFollowsFocus() {
    AppFixture app;
    QCOMPARE(app.Window()->CurrentField, QString());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), QString());
    QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), QString());
    // The search field has the focus once the window is active.
    QVERIFY(QTest::qWaitForWindowActive(app.Window()->Widget()));
    QTRY_COMPARE(app.Window()->CurrentField, QStringLiteral("HanziField"));
    QVERIFY(FocusOn(app.Control<fw::EditField>("ZVariantField").Widget()));
    QCOMPARE(app.Window()->CurrentField, QStringLiteral("ZVariantField"));
    QVERIFY(FocusOn(app.Control<fw::Slider>("Slider1").Widget()));
    QCOMPARE(app.Window()->CurrentField, QStringLiteral("ZVariantField"));
  }

  // Typing right after start goes into the search field. The hidden query
  // button takes the focus neither at start, nor by Tab, nor by a click.
  void typingAtStartGoesIntoTheSearchField() {
    AppFixture app;
    QVERIFY(QTest::qWaitForWindowActive(app.Window()->Widget()));
    fw::EditField& search = app.Control<fw::EditField>("HanziField");
    QTRY_COMPARE(QApplication::focusWidget(), search.Widget());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    QCOMPARE(search.Text(), QStringLiteral("abc"));

    QWidget* button = app.Control<fw::PushButton>("QueryButton").Widget();
    for (int tab = 0; tab < 12; ++tab) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QVERIFY(QApplication::focusWidget() != button);
    }
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!button->hasFocus());
  }

  // Fields stored without a focus ring draw their frame the same with and
  // without the focus; the same field with a ring shows that the comparison
  // can tell.
  void fieldsWithoutFocusRingShowNoFocusFrame_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("other");
    // The style draws a focus frame around single-line fields with a border.
    QTest::newRow("Hanyu Pinyin") << "MandarinField" << 1 << "HanziField";
    QTest::newRow("Vietnamese") << "VietnameseField" << 1 << "CantoneseField";
  }
  void fieldsWithoutFocusRingShowNoFocusFrame() {
    QFETCH(QString, field);
    QFETCH(int, page);
    QFETCH(QString, other);
    AppFixture app;
    app.Control<fw::TabPanel>("TabPanel1").SetValue(page);
    fw::EditField& shown = app.Window()->ControlByName<fw::EditField>(field);
    QVERIFY(FocusOn(app.Window()->ControlByName<fw::EditField>(other).Widget()));
    const QList<QRgb> unfocused = FramePixels(shown.Widget()->grab().toImage());
    QVERIFY(FocusOn(shown.Widget()));
    QCOMPARE(FramePixels(shown.Widget()->grab().toImage()), unfocused);

    shown.SetProperty(QStringLiteral("UseFocusRing"), true);
    QVERIFY(FramePixels(shown.Widget()->grab().toImage()) != unfocused);
  }

  void variantTooltipNamesTheCharacterUnderTheMouse_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("textSize");
    QTest::addColumn<int>("x");
    QTest::addColumn<QString>("tag");
    const QString bigTwo = QStringLiteral("大太");
    const QString firstTag = QStringLiteral("大\nUnicode: 5927");
    QTest::newRow("first character at its left edge") << bigTwo << 40 << 2 << firstTag;
    QTest::newRow("first character at its right edge") << bigTwo << 40 << 41 << firstTag;
    QTest::newRow("second character") << bigTwo << 40 << 42 << QStringLiteral("太\nUnicode: 592A");
    QTest::newRow("past the last character") << bigTwo << 40 << 82 << QString();
    QTest::newRow("left of the first character") << bigTwo << 40 << 0 << QString();
    QTest::newRow("empty field") << QString() << 40 << 2 << QString();
    QTest::newRow("code 0000") << QString(QChar(0)) + QStringLiteral("大") << 40 << 2 << QString();
    QTest::newRow("supplementary character")
        << kSupplementary << 40 << 2 << kSupplementary + QStringLiteral("\nUnicode: 20000");
    QTest::newRow("after a supplementary character")
        << kSupplementary + QStringLiteral("大") << 40 << 42 << firstTag;
    QTest::newRow("text size 0") << bigTwo << 0 << 2 << QString();
    QTest::newRow("smaller text") << bigTwo << 30 << 35 << QStringLiteral("太\nUnicode: 592A");
  }
  void variantTooltipNamesTheCharacterUnderTheMouse() {
    QFETCH(QString, text);
    QFETCH(int, textSize);
    QFETCH(int, x);
    QFETCH(QString, tag);
    AppFixture app;
    fw::EditField& field = app.Control<fw::EditField>("ZVariantField");
    field.SetText(text);
    field.SetTextSize(textSize);

    // The handler itself; the height does not matter.
    for (const int y : {0, 30, 500}) {
      field.SetHelpTag(QStringLiteral("stale"));
      app.Window()->ZVariantField_MouseMove(field, x, y);
      QCOMPARE(field.HelpTag(), tag);
    }

    // A real mouse move over the field's inner viewport.
    auto* viewport = static_cast<QTextEdit*>(field.Widget())->viewport();
    const QPoint at = viewport->mapFrom(field.Widget(), QPoint(x, 20));
    if (!viewport->rect().contains(at)) return;  // left of the viewport: the frame
    QVERIFY(QTest::qWaitForWindowExposed(field.Widget()->window()));
    field.SetHelpTag(QStringLiteral("stale"));
    // A move to where the mouse already is would not be delivered.
    QVERIFY(MoveMouse(field.Widget()->window(), QPoint(1, 1)));
    QVERIFY(MoveMouse(viewport, at));
    QTRY_COMPARE(field.HelpTag(), tag);
  }

  // A shown tooltip follows the mouse from variant to variant and goes as
  // soon as the mouse is past the last one, not when Qt's timer runs out.
  void variantTooltipGoesPastTheLastVariant() {
    AppFixture app;
    fw::EditField& field = app.Control<fw::EditField>("ZVariantField");
    field.SetText(QStringLiteral("大太"));
    field.SetTextSize(40);
    QVERIFY(QTest::qWaitForWindowExposed(field.Widget()->window()));
    auto* viewport = static_cast<QTextEdit*>(field.Widget())->viewport();
    auto over = [&](int x) { return viewport->mapFrom(field.Widget(), QPoint(x, 20)); };
    QVERIFY(MoveMouse(field.Widget()->window(), QPoint(1, 1)));
    QVERIFY(MoveMouse(viewport, over(20)));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("大\nUnicode: 5927"));
    QVERIFY(MoveMouse(viewport, over(60)));
    QTRY_COMPARE(QToolTip::text(), QStringLiteral("太\nUnicode: 592A"));
    QVERIFY(MoveMouse(viewport, over(100)));
    QTRY_COMPARE(field.HelpTag(), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 1000);
  }

  void droppedTextIsLookedUpByItsFirstCharacter_data() {
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QString>("searchText");
    QTest::addColumn<QString>("current");
    QTest::addColumn<QString>("code");
    QTest::newRow("three characters") << "漢字詞"
                                      << "漢字"
                                      << "漢"
                                      << "Unicode: 6F22";
    QTest::newRow("one character") << "漢"
                                   << "漢"
                                   << "漢"
                                   << "Unicode: 6F22";
    QTest::newRow("supplementary first")
        << kSupplementary + "漢字" << kSupplementary + "漢" << kSupplementary << "Unicode: 20000";
  }
  void droppedTextIsLookedUpByItsFirstCharacter() {
    QFETCH(QString, dropped);
    QFETCH(QString, searchText);
    QFETCH(QString, current);
    QFETCH(QString, code);
    AppFixture app(RealDataFolder());
    fw::Canvas& well = app.Control<fw::Canvas>("Canvas1");
    QVERIFY(well.AcceptsTextDrops());
    app.Window()->Canvas1_DropObject(well, fw::DragItem{dropped}, Qt::CopyAction);
    QCOMPARE(app.Control<fw::EditField>("HanziField").Text(), searchText);
    QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), current);
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), code);
    QCOMPARE(app.messages, QStringList());
  }

  // The well only reads the text, so it takes a drop as a copy whatever the
  // source proposes (Shift proposes a move); a source that allows no copy would
  // delete what it sent, so it is refused. Enter, move and drop agree.
  void aRealDropIsTakenAsACopy_data() {
    QTest::addColumn<Qt::DropActions>("allowed");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("taken");
    QTest::newRow("copy only") << Qt::DropActions(Qt::CopyAction) << Qt::KeyboardModifiers()
                               << true;
    QTest::newRow("copy or move, move proposed")
        << (Qt::CopyAction | Qt::MoveAction) << Qt::KeyboardModifiers(Qt::ShiftModifier) << true;
    QTest::newRow("move only") << Qt::DropActions(Qt::MoveAction) << Qt::KeyboardModifiers()
                               << false;
  }
  void aRealDropIsTakenAsACopy() {
    QFETCH(Qt::DropActions, allowed);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, taken);
    AppFixture app(RealDataFolder());
    QWidget* well = app.Control<fw::Canvas>("Canvas1").Widget();
    QMimeData text;
    text.setText(QStringLiteral("漢字詞"));
    const QPoint at(10, 10);
    QDragEnterEvent enter(at, allowed, &text, Qt::LeftButton, modifiers);
    QDragMoveEvent move(at, allowed, &text, Qt::LeftButton, modifiers);
    QDropEvent drop(at, allowed, &text, Qt::LeftButton, modifiers);
    if (allowed & Qt::MoveAction) QCOMPARE(drop.proposedAction(), Qt::MoveAction);
    for (QDropEvent* event : std::initializer_list<QDropEvent*>{&enter, &move, &drop}) {
      // Each starts refused, as a move; a refused enter keeps the rest away.
      event->setAccepted(false);
      event->setDropAction(Qt::MoveAction);
      QApplication::sendEvent(well, event);
      QCOMPARE(event->isAccepted(), taken);
      if (taken) QCOMPARE(event->dropAction(), Qt::CopyAction);
    }
    QCOMPARE(app.Control<fw::EditField>("HanziField").Text(),
             taken ? QStringLiteral("漢字") : QString());
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(),
             taken ? QStringLiteral("Unicode: 6F22") : QString());
  }

  void aDropWithoutTextIsRefused() {
    AppFixture app;
    QWidget* well = app.Control<fw::Canvas>("Canvas1").Widget();
    QMimeData picture;
    picture.setData(QStringLiteral("image/png"), QByteArray("\x89PNG"));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(well, &enter);
    QVERIFY(!enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(well, &drop);
    QVERIFY(!drop.isAccepted());
    QCOMPARE(app.Control<fw::EditField>("HanziField").Text(), QString());
    QCOMPARE(fw::Thread::Running(), 0);
  }

  void dragOutCarriesTheCharacterAndItsGlyph_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<QByteArray>("utf16");
    // High byte first, no byte-order mark, whatever this machine's byte order.
    QTest::newRow("basic plane") << "漢" << QByteArray("\x6F\x22", 2);
    QTest::newRow("supplementary") << kSupplementary << QByteArray("\xD8\x40\xDC\x00", 4);
  }
  void dragOutCarriesTheCharacterAndItsGlyph() {
    QFETCH(QString, character);
    QFETCH(QByteArray, utf16);
    AppFixture app(RealDataFolder());
    app.LookUp(character);
    const fw::TextDrag drag = app.Window()->MakeDragOut(17, 30);
    QCOMPARE(drag.Text(), character);
    const std::unique_ptr<QMimeData> data(drag.MakeMimeData());
    QCOMPARE(data->data(QString::fromLatin1(fw::kUtf16TextFlavour)), utf16);
    QVERIFY(data->hasText());
    QCOMPARE(data->text(), character);
    // The image's top left lies on the well's top left.
    QCOMPARE(drag.HotSpot(), QPoint(17, 30));

    const QImage image = drag.Image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(100, 100));
    QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(image.pixel(99, 99)), 0);
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QRgb pixel = image.pixel(x, y);
        if (qAlpha(pixel) == 0) continue;
        if (qAlpha(pixel) == 255) ++opaque;
        // Whatever shows of the glyph is black.
        QVERIFY2(qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 0,
                 qPrintable(QStringLiteral("pixel %1,%2 is not black").arg(x).arg(y)));
      }
    QVERIFY2(opaque > 100, qPrintable(QString::number(opaque)));
  }

  void dragOutBeforeAnyLookupIsEmpty() {
    AppFixture app;
    const fw::TextDrag drag = app.Window()->MakeDragOut(0, 0);
    QCOMPARE(drag.Text(), QString());
    QCOMPARE(drag.HotSpot(), QPoint(0, 0));
    const std::unique_ptr<QMimeData> data(drag.MakeMimeData());
    QCOMPARE(data->data(QString::fromLatin1(fw::kUtf16TextFlavour)), QByteArray());
    const QImage image = drag.Image().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), QSize(100, 100));
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, y)) != 0)
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 shows").arg(x).arg(y)));
  }

  void storedVariantFontSizeSetsFieldAndSlider_data() {
    QTest::addColumn<QByteArray>("preferences");
    QTest::addColumn<int>("textSize");
    QTest::addColumn<int>("sliderValue");
    QTest::newRow("45") << PreferencesWithVariantFontSize("45") << 45 << 45;
    QTest::newRow("the slider's minimum") << PreferencesWithVariantFontSize("30") << 30 << 30;
    QTest::newRow("fraction dropped") << PreferencesWithVariantFontSize("45.7") << 45 << 45;
    QTest::newRow("not a number") << PreferencesWithVariantFontSize("abc") << 40 << 40;
    QTest::newRow("0") << PreferencesWithVariantFontSize("0") << 40 << 40;
    QTest::newRow("negative") << PreferencesWithVariantFontSize("-3") << 40 << 40;
    QTest::newRow("below 1") << PreferencesWithVariantFontSize("0.5") << 40 << 40;
    QTest::newRow("beyond 32 bits") << PreferencesWithVariantFontSize("99999999999") << 40 << 40;
    QTest::newRow("no entry") << PreferencesStore::InitialDocument("12") << 40 << 40;
    QTest::newRow("no file") << QByteArray() << 40 << 40;
    // The variants follow the slider, so they never show a size it cannot.
    QTest::newRow("below the slider's minimum") << PreferencesWithVariantFontSize("10") << 30 << 30;
    QTest::newRow("above the slider's maximum") << PreferencesWithVariantFontSize("70") << 50 << 50;
  }
  void storedVariantFontSizeSetsFieldAndSlider() {
    QFETCH(QByteArray, preferences);
    QFETCH(int, textSize);
    QFETCH(int, sliderValue);
    AppFixture app(QString(), preferences);
    QCOMPARE(app.Control<fw::EditField>("ZVariantField").TextSize(), textSize);
    QCOMPARE(app.Control<fw::Slider>("Slider1").Value(), sliderValue);
    QCOMPARE(app.messages, QStringList());
  }

  void movingTheSliderResizesTheVariantsAtOnce() {
    AppFixture app;
    app.Control<fw::Slider>("Slider1").SetValue(33);
    QCOMPARE(app.Control<fw::EditField>("ZVariantField").TextSize(), 33);
    // Dragging the real slider goes the same way.
    auto* slider = static_cast<QSlider*>(app.Control<fw::Slider>("Slider1").Widget());
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(app.Control<fw::EditField>("ZVariantField").TextSize(), 34);
  }

  void closingStoresTheVariantFontSizeAndQuits_data() {
    QTest::addColumn<bool>("viaFileClose");
    QTest::addColumn<int>("sliderValue");  // 0: untouched
    QTest::addColumn<QString>("stored");
    QTest::newRow("close box, untouched") << false << 0 << "40";
    QTest::newRow("close box, moved") << false << 47 << "47";
    QTest::newRow("File Close, untouched") << true << 0 << "40";
    QTest::newRow("File Close, moved") << true << 31 << "31";
  }
  void closingStoresTheVariantFontSizeAndQuits() {
    QFETCH(bool, viaFileClose);
    QFETCH(int, sliderValue);
    QFETCH(QString, stored);
    AppFixture app;
    MainWindow* window = app.Window();
    if (sliderValue) app.Control<fw::Slider>("Slider1").SetValue(sliderValue);
    QVERIFY(!fw::QuitRequested());
    if (viaFileClose)
      QCOMPARE(window->FileClose_Action(), false);
    else
      window->CloseWindow();
    QCOMPARE(StoredPreference(app, QStringLiteral("VariantFontSize")), stored);
    QVERIFY(fw::QuitRequested());
    QVERIFY(!window->IsOpen());
    QVERIFY(fw::Window::OpenWindows().empty());
    DeleteClosedWindows();
    QCOMPARE(app.messages, QStringList());
  }

  void selectAllSelectsTheWholeTextOfTheFieldLastFocused_data() {
    QTest::addColumn<QString>("focused");  // "": none yet
    QTest::addColumn<QString>("searchText");
    QTest::addColumn<QString>("variants");
    QTest::newRow("nothing focused yet") << ""
                                         << "漢字"
                                         << "汉漢";
    QTest::newRow("variants") << "ZVariantField"
                              << "漢字"
                              << "汉漢";
    QTest::newRow("variants with a supplementary character")
        << "ZVariantField"
        << "漢" << QStringLiteral("汉") + kSupplementary + QStringLiteral("漢");
    QTest::newRow("search text") << "HanziField"
                                 << "漢字詞"
                                 << "汉漢";
    QTest::newRow("Latin search text") << "HanziField"
                                       << "abc"
                                       << "";
  }
  void selectAllSelectsTheWholeTextOfTheFieldLastFocused() {
    QFETCH(QString, focused);
    QFETCH(QString, searchText);
    QFETCH(QString, variants);
    AppFixture app;
    fw::EditField& hanzi = app.Control<fw::EditField>("HanziField");
    fw::EditField& zvariants = app.Control<fw::EditField>("ZVariantField");
    hanzi.SetText(searchText);
    zvariants.SetText(variants);
    if (!focused.isEmpty()) {
      QVERIFY(FocusOn(app.Control<fw::EditField>(focused.toUtf8()).Widget()));
      // Focus elsewhere: the window, not the focused widget, has to act.
      QVERIFY(FocusOn(app.Control<fw::Slider>("Slider1").Widget()));
    }
    hanzi.SetSelStart(0);
    zvariants.SetSelStart(0);
    QCOMPARE(app.Window()->EditSelectAll_Action(), false);
    const auto selected = [&](fw::EditField& field) -> QString {
      return field.Name == focused ? field.Text() : QString();
    };
    QCOMPARE(hanzi.SelText(), selected(hanzi));
    QCOMPARE(zvariants.SelText(), selected(zvariants));
    QCOMPARE(hanzi.SelStart(), 0);
    QCOMPARE(zvariants.SelStart(), 0);
  }
};

QTEST_MAIN(MainWindowBehaviourTest)
#include "tst_main_window_behaviour.moc"
