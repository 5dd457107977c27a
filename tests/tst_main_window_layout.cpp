// The main window as built from its stored layout: every control's class,
// place, page and state; the window's frame; tabs, read-only fields, fonts.
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRawFont>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include "framework/chasing_arrows.h"
#include "framework/fonts.h"
#include "framework/localized_strings.h"
#include "framework/tab_panel.h"
#include "support/app_fixture.h"
#include "support/focus.h"
#include "support/own_bus.h"

namespace {

bool IsOfClass(fw::Control* control, const QString& kind) {
  if (kind == "Canvas") return dynamic_cast<fw::Canvas*>(control);
  if (kind == "PushButton") return dynamic_cast<fw::PushButton*>(control);
  if (kind == "EditField") return dynamic_cast<fw::EditField*>(control);
  if (kind == "StaticText") return dynamic_cast<fw::StaticText*>(control);
  if (kind == "TabPanel") return dynamic_cast<fw::TabPanel*>(control);
  if (kind == "ChasingArrows") return dynamic_cast<fw::ChasingArrows*>(control);
  if (kind == "PopupMenu") return dynamic_cast<fw::PopupMenu*>(control);
  if (kind == "Slider") return dynamic_cast<fw::Slider*>(control);
  return false;
}

struct Placed {
  const char* name;
  const char* kind;
  QRect rect;
  const char* parent;  // InitialParent; "" on the window itself
  int page;            // TabPanelIndex; 0 on the window itself
  bool visible;
  bool enabled;
};

// In creation order, which is also the stacking order.
const Placed kControls[] = {
    {"Canvas2", "Canvas", {251, 11, 179, 28}, "", 0, true, true},
    {"QueryButton", "PushButton", {454, 46, 69, 20}, "", 0, true, true},
    {"HanziField", "EditField", {277, 18, 137, 18}, "Canvas2", 0, true, true},
    {"StaticText1", "StaticText", {282, 235, 100, 20}, "", 0, true, true},
    {"CodeText", "StaticText", {93, 38, 48, 36}, "", 0, true, true},
    {"TabPanel1", "TabPanel", {-8, 67, 460, 295}, "", 0, true, true},
    {"ZVariantField", "EditField", {20, 149, 410, 62}, "TabPanel1", 1, true, true},
    {"StaticText4", "StaticText", {14, 117, 167, 20}, "TabPanel1", 1, true, true},
    {"StaticText5", "StaticText", {19, 107, 122, 20}, "TabPanel1", 2, true, true},
    {"MandarinField", "EditField", {25, 137, 180, 22}, "TabPanel1", 2, true, true},
    {"StaticText6", "StaticText", {239, 107, 100, 20}, "TabPanel1", 2, true, true},
    {"CantoneseField", "EditField", {244, 136, 180, 22}, "TabPanel1", 2, true, true},
    {"StaticText7", "StaticText", {19, 236, 100, 20}, "TabPanel1", 2, true, true},
    {"KoreanField", "EditField", {24, 268, 180, 22}, "TabPanel1", 2, true, true},
    {"StaticText8", "StaticText", {238, 236, 100, 20}, "TabPanel1", 2, true, true},
    {"VietnameseField", "EditField", {243, 268, 180, 22}, "TabPanel1", 2, true, true},
    {"StaticText9", "StaticText", {19, 170, 185, 20}, "TabPanel1", 2, true, true},
    {"JapaneseKunField", "EditField", {25, 202, 180, 22}, "TabPanel1", 2, true, true},
    {"JapaneseOnField", "EditField", {243, 202, 180, 22}, "TabPanel1", 2, true, true},
    {"StaticText10", "StaticText", {238, 170, 185, 20}, "TabPanel1", 2, true, true},
    {"StaticText11", "StaticText", {19, 107, 180, 20}, "TabPanel1", 3, true, true},
    {"DefinitionField", "EditField", {25, 137, 394, 62}, "TabPanel1", 3, true, true},
    {"ChasingArrows1", "ChasingArrows", {418, 44, 16, 16}, "", 0, false, true},
    {"Canvas3", "Canvas", {14, 7, 72, 72}, "", 0, true, false},
    {"Canvas1", "Canvas", {26, 17, 52, 63}, "", 0, true, true},
    {"CurrentText", "StaticText", {174, 3, 79, 28}, "", 0, false, true},
    {"PopupMenu1", "PopupMenu", {120, 272, 61, 20}, "TabPanel1", 1, false, false},
    {"StaticText2", "StaticText", {187, 221, 100, 20}, "TabPanel1", 1, true, true},
    {"Slider1", "Slider", {299, 225, 125, 16}, "TabPanel1", 1, true, true},
    {"StaticText3", "StaticText", {277, 244, 58, 20}, "TabPanel1", 1, true, true},
    {"StaticText12", "StaticText", {391, 244, 58, 20}, "TabPanel1", 1, true, true},
};

const char* const kReadOnlyFields[] = {"ZVariantField",    "DefinitionField", "MandarinField",
                                       "CantoneseField",   "KoreanField",     "VietnameseField",
                                       "JapaneseKunField", "JapaneseOnField"};

// Whether an installed family of the chain has a glyph for the character;
// families not installed are left out.
bool ChainHasGlyph(const QStringList& chain, char32_t character, QStringList* tried) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : chain) {
    if (!installed.contains(family)) continue;
    *tried << family;
    QFont font(family);
    font.setPixelSize(40);
    if (QRawFont::fromFont(font).supportsCharacter(uint(character))) return true;
  }
  return false;
}

// The characters at the left and right edges of a one-line field as it is
// drawn now.
int ShownCharacterAt(fw::EditField& field, bool right) {
  auto* line = qobject_cast<QLineEdit*>(field.Widget());
  line->grab();  // where the text is scrolled to is settled when it is drawn
  const QRect inside = line->contentsRect();
  const int x = right ? inside.right() - 2 : inside.left() + 2;
  const int at = line->cursorPositionAt(QPoint(x, inside.center().y()));
  return right ? at - 1 : at;
}
int FirstShownCharacter(fw::EditField& field) { return ShownCharacterAt(field, false); }
int LastShownCharacter(fw::EditField& field) { return ShownCharacterAt(field, true); }

}  // namespace

class MainWindowLayoutTest : public QObject {
  Q_OBJECT

  fw::TabPanel& Tabs(AppFixture& app) { return app.Control<fw::TabPanel>("TabPanel1"); }

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    fw::InstallStringTable({});
  }

  void everyControlHasItsClassPlaceAndPage_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("enabled");
    int index = 0;
    for (const Placed& control : kControls)
      QTest::newRow(control.name) << index++ << control.kind << control.rect << control.parent
                                  << control.page << control.visible << control.enabled;
  }
  void everyControlHasItsClassPlaceAndPage() {
    QFETCH(int, index);
    QFETCH(QString, kind);
    QFETCH(QRect, rect);
    QFETCH(QString, parent);
    QFETCH(int, page);
    QFETCH(bool, visible);
    QFETCH(bool, enabled);
    AppFixture app;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    fw::Control* control = app.Window()->FindControl(name);
    QVERIFY(control);
    QCOMPARE(app.Window()->Controls().at(index).get(), control);  // creation order
    QVERIFY2(IsOfClass(control, kind), qPrintable(kind));
    QCOMPARE(control->Left(), rect.left());
    QCOMPARE(control->Top(), rect.top());
    QCOMPARE(control->Width(), rect.width());
    QCOMPARE(control->Height(), rect.height());
    QCOMPARE(control->Widget()->parentWidget(), app.Window()->Content());
    QCOMPARE(control->Widget()->geometry(), rect);
    QCOMPARE(control->InitialParent, parent);
    QCOMPARE(control->TabPanelIndex, page);
    QCOMPARE(control->Visible(), visible);
    QCOMPARE(control->Enabled(), enabled);
    QCOMPARE(control->Widget()->isEnabled(), enabled);
  }

  void theWindowHoldsExactlyTheseControls() {
    AppFixture app;
    QCOMPARE(app.Window()->Controls().size(), std::size(kControls));
  }

  void stackingOrderIsCreationOrder() {
    AppFixture app;
    QList<QWidget*> stacked;
    for (QObject* child : app.Window()->Content()->children())
      if (child->isWidgetType()) stacked << static_cast<QWidget*>(child);
    QList<QWidget*> created;
    for (const auto& control : app.Window()->Controls()) created << control->Widget();
    QCOMPARE(stacked, created);
  }

  void theWindowHasAFixedSizeAndNoMaximiseButton() {
    AppFixture app;
    MainWindow* window = app.Window();
    QCOMPARE(window->Width(), 444);
    QCOMPARE(window->Height(), 319);
    QCOMPARE(window->Content()->minimumSize(), QSize(444, 319));
    QCOMPARE(window->Content()->maximumSize(), QSize(444, 319));
    QVERIFY(!window->Resizeable());
    const Qt::WindowFlags flags = window->Widget()->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window->Title(), QStringLiteral("Quillfern"));
    // Asking the frame to grow leaves the content as designed.
    window->Widget()->resize(800, 600);
    QCoreApplication::processEvents();
    QCOMPARE(window->Content()->size(), QSize(444, 319));
  }

  void theQueryButtonIsOutOfSightYetReturnPushesIt() {
    AppFixture app(RealDataFolder());
    auto& button = app.Control<fw::PushButton>("QueryButton");
    QCOMPARE(button.Caption(), QString::fromUtf8("查詢"));
    QVERIFY(button.Default);
    QVERIFY(!app.Window()->Content()->rect().intersects(button.Widget()->geometry()));

    auto& field = app.Control<fw::EditField>("HanziField");
    field.SetText(QString::fromUtf8("國家"));
    QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), QString());
    QTest::keyClick(field.Widget(), Qt::Key_Return);
    QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), QString::fromUtf8("國"));
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(field.Text(), QString::fromUtf8("國家"));  // Return adds no line to the field
    QVERIFY(app.messages.isEmpty());
  }

  // Return pushes the default button from every control that does not take
  // Return itself; only the multi-line fields do.
  void returnPushesTheDefaultButtonUnlessTheFocusTakesIt_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("pushes");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    const struct {
      const char* name;
      const char* focus;
      int page;
      bool pushes;
    } places[] = {
        {"search field", "HanziField", 0, true},
        {"slider", "Slider1", 0, true},
        {"tab bar", "TabPanel1", 0, true},
        {"one-line reading field", "MandarinField", 1, true},
        {"variants", "ZVariantField", 0, false},
        {"definition", "DefinitionField", 2, false},
    };
    for (const auto& place : places) {
      QTest::addRow("%s, Return", place.name) << place.focus << place.page << place.pushes
                                              << int(Qt::Key_Return) << int(Qt::NoModifier);
      QTest::addRow("%s, keypad Enter", place.name)
          << place.focus << place.page << place.pushes << int(Qt::Key_Enter)
          << int(Qt::KeypadModifier);
      // Return with a modifier is no push.
      QTest::addRow("%s, Ctrl+Return", place.name)
          << place.focus << place.page << false << int(Qt::Key_Return) << int(Qt::ControlModifier);
    }
  }
  void returnPushesTheDefaultButtonUnlessTheFocusTakesIt() {
    QFETCH(QString, focus);
    QFETCH(int, page);
    QFETCH(bool, pushes);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    AppFixture app(RealDataFolder());
    app.Control<fw::EditField>("HanziField").SetText(QString::fromUtf8("國"));
    app.Control<fw::TabPanel>("TabPanel1").SetValue(page);
    fw::Control& focused = *app.Window()->FindControl(focus);
    auto* field = dynamic_cast<fw::EditField*>(&focused);
    const QString before = field ? field->Text() : QString();
    QWidget* widget = focused.Widget();
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) widget = tabs->tabBar();
    QVERIFY(FocusOn(widget));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(),
             pushes ? QString::fromUtf8("國") : QString());
    // The key adds no line to the field that has the focus (a lookup fills
    // the reading fields, so those are compared only when there was none).
    if (field && !(pushes && field->ReadOnly())) QCOMPARE(field->Text(), before);
  }

  void theTabPanelOverhangsTheWindow() {
    AppFixture app;
    const QRect panel = Tabs(app).Widget()->geometry();
    const QRect content = app.Window()->Content()->rect();
    QCOMPARE(content.left() - panel.left(), 8);
    QCOMPARE(panel.right() - content.right(), 8);
    QCOMPARE(panel.bottom() - content.bottom(), 43);
  }

  void theFirstPageIsSelectedAndTitled() {
    AppFixture app;
    fw::TabPanel& tabs = Tabs(app);
    QCOMPARE(tabs.Value(), 0);
    QCOMPARE(tabs.PageCount(), 3);
    QCOMPARE(tabs.PageTitle(0), QStringLiteral("Variants"));
    QCOMPARE(tabs.PageTitle(1), QStringLiteral("Pronunciation"));
    QCOMPARE(tabs.PageTitle(2), QStringLiteral("Meaning"));
  }

  void theTabsAreCentredInTheirStoredFont() {
    AppFixture app;
    auto* tabs = static_cast<QTabWidget*>(Tabs(app).Widget());
    QCOMPARE(tabs->tabBar()->font().pixelSize(), 12);
    const QRect bar = tabs->tabBar()->geometry();
    QVERIFY(bar.width() < tabs->width());
    QVERIFY2(qAbs(bar.center().x() - tabs->rect().center().x()) <= 1,
             qPrintable(QStringLiteral("tab bar %1..%2 in %3")
                            .arg(bar.left())
                            .arg(bar.right())
                            .arg(tabs->width())));
  }

  void switchingPagesShowsOnlyThatPage_data() {
    QTest::addColumn<int>("page");
    QTest::newRow("Variants") << 0;
    QTest::newRow("Pronunciation") << 1;
    QTest::newRow("Meaning") << 2;
    QTest::newRow("back to Variants after Meaning") << 0;
  }
  void switchingPagesShowsOnlyThatPage() {
    QFETCH(int, page);
    AppFixture app;
    Tabs(app).SetValue(2);
    Tabs(app).SetValue(page);
    QCOMPARE(Tabs(app).Value(), page);
    for (const Placed& placed : kControls) {
      fw::Control* control = app.Window()->FindControl(placed.name);
      const bool shown = placed.visible && (placed.page == 0 || placed.page == page + 1);
      QVERIFY2(control->Widget()->isVisible() == shown, placed.name);
    }
  }

  void aHiddenControlStaysHiddenOnItsPage() {
    AppFixture app;
    auto& spinner = app.Control<fw::ChasingArrows>("ChasingArrows1");
    spinner.SetVisible(true);
    QVERIFY(spinner.Widget()->isVisible());
    Tabs(app).SetValue(1);
    QVERIFY(spinner.Widget()->isVisible());  // on the window, not on a page
    auto& slider = app.Control<fw::Slider>("Slider1");
    QVERIFY(!slider.Widget()->isVisible());
    slider.SetVisible(false);
    Tabs(app).SetValue(0);
    QVERIFY(!slider.Widget()->isVisible());
    slider.SetVisible(true);
    QVERIFY(slider.Widget()->isVisible());
  }

  void theReadingFieldsIgnoreTyping_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("action");  // 0 letters, 1 a Han character, 2 Backspace, 3 Delete,
                                      // 4 paste, 5 cut
    const char* const actions[] = {"letters", "Han", "Backspace", "Delete", "paste", "cut"};
    for (const char* field : kReadOnlyFields)
      for (int action = 0; action < 6; ++action)
        QTest::addRow("%s, %s", field, actions[action]) << QString::fromLatin1(field) << action;
  }
  void theReadingFieldsIgnoreTyping() {
    QFETCH(QString, field);
    QFETCH(int, action);
    AppFixture app;
    auto& edit = app.Window()->ControlByName<fw::EditField>(field);
    Tabs(app).SetValue(edit.TabPanelIndex - 1);
    QVERIFY(edit.ReadOnly());
    const QString before = QString::fromUtf8("guó 國");
    edit.SetText(before);
    QApplication::clipboard()->setText(QStringLiteral("pasted"));
    edit.SetSelStart(2);
    edit.SetSelLength(2);
    QWidget* widget = edit.Widget();
    switch (action) {
      case 0:
        QTest::keyClicks(widget, "xyz");
        break;
      case 1:
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString::fromUtf8("字"),
                            Qt::NoModifier);
        break;
      case 2:
        QTest::keyClick(widget, Qt::Key_Backspace);
        break;
      case 3:
        QTest::keyClick(widget, Qt::Key_Delete);
        break;
      case 4:
        QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
        break;
      case 5:
        QTest::keyClick(widget, Qt::Key_X, Qt::ControlModifier);
        break;
    }
    QCOMPARE(edit.Text(), before);
  }

  // A reading longer than its field shows its first readings; the rest is
  // reached by scrolling, as in any one-line field.
  void longReadingsShowTheirStart_data() {
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("start");
    QTest::newRow("kun'yomi") << "陗"
                              << "JapaneseKunField"
                              << "KEHASHIKUTAKAI MATSUSUGUDETAKAI";
    QTest::newRow("on'yomi") << "婠"
                             << "JapaneseOnField"
                             << "WAN WATSU WACHI";
  }
  void longReadingsShowTheirStart() {
    QFETCH(QString, character);
    QFETCH(QString, field);
    QFETCH(QString, start);
    AppFixture app(RealDataFolder());
    Tabs(app).SetValue(1);
    app.LookUp(character);
    auto& reading = app.Window()->ControlByName<fw::EditField>(field);
    QVERIFY(reading.Text().startsWith(start));
    const QWidget* line = reading.Widget();
    QVERIFY2(line->fontMetrics().horizontalAdvance(reading.Text()) > line->contentsRect().width(),
             "the reading fits its field");
    QCOMPARE(FirstShownCharacter(reading), 0);
    QVERIFY(LastShownCharacter(reading) < reading.Text().size() - 1);
  }

  // Typing keeps the insertion point in sight; text the program puts into the
  // search field shows from its start.
  void theSearchFieldShowsWhatIsTypedAndWhatIsSent() {
    AppFixture app;
    auto& field = app.Control<fw::EditField>("HanziField");
    const QString text = QString::fromUtf8("國家圖書館藏書目錄").repeated(4);
    QVERIFY(FocusOn(field.Widget()));
    for (const QChar character : text)
      QTest::sendKeyEvent(QTest::Click, field.Widget(), Qt::Key_unknown, QString(character),
                          Qt::NoModifier);
    QCOMPARE(field.Text(), text);
    QCOMPARE(LastShownCharacter(field), text.size() - 1);
    QVERIFY(FirstShownCharacter(field) > 0);
    field.SetText(text);
    QCOMPARE(FirstShownCharacter(field), 0);
  }

  void theSearchFieldIsAnEditableLineWithoutBorder() {
    AppFixture app;
    auto& field = app.Control<fw::EditField>("HanziField");
    QVERIFY(!field.MultiLine());
    QVERIFY(!field.ReadOnly());
    auto* line = qobject_cast<QLineEdit*>(field.Widget());
    QVERIFY(line);
    QVERIFY(!line->hasFrame());
    QTest::sendKeyEvent(QTest::Click, line, Qt::Key_unknown, QString::fromUtf8("國"),
                        Qt::NoModifier);
    QTest::keyClicks(line, "a");
    QCOMPARE(field.Text(), QString::fromUtf8("國a"));
  }

  void multiLineControlsAreMultiLine() {
    AppFixture app;
    QVERIFY(app.Control<fw::EditField>("ZVariantField").MultiLine());
    QVERIFY(app.Control<fw::EditField>("DefinitionField").MultiLine());
    QVERIFY(qobject_cast<QTextEdit*>(app.Control<fw::EditField>("DefinitionField").Widget()));
    QVERIFY(app.Control<fw::StaticText>("CodeText").MultiLine());
    QVERIFY(!app.Control<fw::StaticText>("StaticText4").MultiLine());
  }

  void labelsShowTheirTextsAligned_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("align");  // 0 left, 1 centre, 2 right
    QTest::newRow("StaticText4") << "Variants:" << 0;
    QTest::newRow("StaticText5") << "Hanyu Pinyin:" << 0;
    QTest::newRow("StaticText6") << "Cantonese:" << 0;
    QTest::newRow("StaticText7") << "Korean:" << 0;
    QTest::newRow("StaticText8") << "Vietnamese:" << 0;
    QTest::newRow("StaticText9") << "Japanese (kunyomi):" << 0;
    QTest::newRow("StaticText10") << "Japanese (onyomi):" << 0;
    QTest::newRow("StaticText11") << "English Definition:" << 0;
    QTest::newRow("StaticText2") << "Font size:" << 2;
    QTest::newRow("StaticText3") << "30" << 1;
    QTest::newRow("StaticText12") << "50" << 1;
    QTest::newRow("StaticText1") << "" << 0;
    QTest::newRow("CodeText") << "" << 0;  // cleared when the window opens
    QTest::newRow("CurrentText") << "" << 0;
  }
  void labelsShowTheirTextsAligned() {
    QFETCH(QString, text);
    QFETCH(int, align);
    AppFixture app;
    auto& label = app.Window()->ControlByName<fw::StaticText>(QTest::currentDataTag());
    QCOMPARE(label.Text(), text);
    QCOMPARE(label.TextAlign(), align);
    const Qt::Alignment horizontal =
        static_cast<QLabel*>(label.Widget())->alignment() & Qt::AlignHorizontal_Mask;
    const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    QCOMPARE(horizontal, expected[align]);
  }

  void theFontSizeControlsHoldTheirValues() {
    AppFixture app;
    auto& slider = app.Control<fw::Slider>("Slider1");
    QCOMPARE(slider.Minimum(), 30);
    QCOMPARE(slider.Maximum(), 50);
    QCOMPARE(slider.Value(), 40);
    QCOMPARE(static_cast<QSlider*>(slider.Widget())->orientation(), Qt::Horizontal);
    auto& popup = app.Control<fw::PopupMenu>("PopupMenu1");
    QStringList items;
    for (int i = 0; i < popup.ListCount(); ++i) items << popup.List(i);
    QCOMPARE(items, (QStringList{"14", "18", "24", "30", "36", "40", "48"}));
    QCOMPARE(popup.ListIndex(), 0);
  }

  void theVariantsShowInACjkFontOf40Pixels() {
    AppFixture app;
    auto& field = app.Control<fw::EditField>("ZVariantField");
    QCOMPARE(field.TextSize(), 40);
    const QFont font = field.Widget()->font();
    QCOMPARE(font.pixelSize(), 40);
    QVERIFY(!font.families().isEmpty());
    const QString first = font.families().first();
    QVERIFY2(QFontDatabase::families().contains(first), qPrintable(first + " is not installed"));
    QVERIFY2(QFontDatabase::writingSystems(first).contains(QFontDatabase::TraditionalChinese),
             qPrintable(first));
    QCOMPARE(font.families(), fw::FontChain(QString::fromUtf8("ヒラギノ角ゴ Pro W3")));
  }

  void hanTextHasGlyphs_data() {
    QTest::addColumn<QString>("designFont");
    QTest::addColumn<uint>("character");
    for (const char* design : {"ヒラギノ角ゴ Pro W3", "ヒラギノ明朝 Pro W3", "System"}) {
      const QString name = QString::fromUtf8(design);
      QTest::addRow("%s, U+570B", design) << name << 0x570Bu;
      QTest::addRow("%s, U+3400 (Extension A)", design) << name << 0x3400u;
      QTest::addRow("%s, U+20000 (Extension B)", design) << name << 0x20000u;
      QTest::addRow("%s, U+2B740 (Extension D)", design) << name << 0x2B740u;
      QTest::addRow("%s, U+30000 (Extension G)", design) << name << 0x30000u;
      QTest::addRow("%s, U+F900 (compatibility)", design) << name << 0xF900u;
    }
  }
  void hanTextHasGlyphs() {
    QFETCH(QString, designFont);
    QFETCH(uint, character);
    QStringList tried;
    const bool covered = ChainHasGlyph(fw::FontChain(designFont), char32_t(character), &tried);
    if (tried.isEmpty()) QSKIP("no family of the chain is installed");
    QVERIFY2(covered, qPrintable("tried " + tried.join(", ")));
  }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "tst_main_window_layout.moc"
