// Window building: implicit instances, the build sequence, texts from
// constants and translations, controls by name, layout errors.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <functional>

#include "framework/localized_strings.h"
#include "framework/tab_panel.h"
#include "framework/web_view.h"
#include "help_about/about_window.h"
#include "help_about/help_window.h"
#include "support/app_fixture.h"
#include "support/focus.h"
#include "support/open_windows.h"
#include "support/own_bus.h"

namespace {

// A window whose layout the test hands over; it records the build sequence.
class ProbeWindow : public fw::Window {
 public:
  inline static QJsonObject layout;
  inline static QStringList log;
  inline static int valueChanges = 0;
  static QJsonObject StoredLayout() { return layout; }

 protected:
  void Layout() override {
    log << "Layout";
    fw::Window::Layout();
  }
  void CreateControls() override {
    log << "CreateControls";
    fw::Window::CreateControls();
  }
  void AddMenuHandlers() override { log << "AddMenuHandlers"; }
  void Open() override { log << QStringLiteral("Open, shown %1").arg(Widget()->isVisible()); }
  void Close() override { log << "Close"; }
  void SetConstantTexts(fw::Control& control) override {
    // Runs before the stored list: the label's stored Visible false is not yet applied.
    log << QStringLiteral("constants %1, visible %2").arg(control.Name).arg(control.Visible());
    if (control.Name == "Label") fw::ControlAs<fw::StaticText>(control).SetText("from a constant");
  }
  void AttachHandler(fw::Control& control, const QString& event) override {
    const QString name = control.Name;
    if (event == "Open" || event == "Close")
      control.InstallHandler(event,
                             std::function<void()>([name, event] { log << event + " " + name; }));
    else if (event == "ValueChanged")
      control.InstallHandler(event, std::function<void()>([] { ++valueChanges; }));
    else
      fw::Window::AttachHandler(control, event);
  }
};

QJsonObject Json(const char* text) { return QJsonDocument::fromJson(text).object(); }

const char kProbeLayout[] = R"({
  "Window": {"Title": "Probe", "Width": 200, "Height": 120, "Visible": true, "Resizeable": false},
  "Controls": [
    {"Class": "StaticText", "Name": "Label", "Left": 4, "Top": 4, "Width": 100, "Height": 20,
     "Visible": false, "Events": ["Open", "Close"]},
    {"Class": "Slider", "Name": "Slider", "Left": 4, "Top": 30, "Width": 100, "Height": 16,
     "Minimum": 30, "Maximum": 50, "Value": 40, "Events": ["Open", "ValueChanged", "Close"]},
    {"Class": "StaticText", "Name": "Caption", "Left": 4, "Top": 50, "Width": 100, "Height": 20,
     "Caption": "stored caption"}
  ]})";

// The text a control shows, whatever its class.
QString TextOf(fw::Control& control) {
  if (auto* label = dynamic_cast<fw::StaticText*>(&control)) return label->Text();
  if (auto* button = dynamic_cast<fw::PushButton*>(&control)) return button->Caption();
  if (auto* field = dynamic_cast<fw::EditField*>(&control)) return field->Text();
  return QStringLiteral("<no text>");
}

void SetTextOf(fw::Control& control, const QString& text) {
  if (auto* label = dynamic_cast<fw::StaticText*>(&control))
    label->SetText(text);
  else if (auto* button = dynamic_cast<fw::PushButton*>(&control))
    button->SetCaption(text);
  else if (auto* field = dynamic_cast<fw::EditField*>(&control))
    field->SetText(text);
}

// The main window's texts that come from localizable constants.
struct ConstantText {
  const char* control;
  int page;  // the tab page for TabPanel1's titles, else -1
  const char* key;
  const char* english;
  const char* chinese;
};
const ConstantText kConstantTexts[] = {
    {"StaticText4", -1, "MainWindow.kVariants", "Variants:", "變體："},
    {"StaticText2", -1, "MainWindow.kFontSize", "Font size:", "字型大小："},
    {"StaticText11", -1, "MainWindow.kEnglishDefinition", "English Definition:", "英文釋義："},
    {"StaticText5", -1, "MainWindow.kHanyuPinyin", "Hanyu Pinyin:", "漢語拼音："},
    {"StaticText6", -1, "MainWindow.kCantonese", "Cantonese:", "粵語："},
    {"StaticText9", -1, "MainWindow.kJapaneseKunyomi", "Japanese (kunyomi):", "日語（訓讀）："},
    {"StaticText10", -1, "MainWindow.kJapaneseOnyomi", "Japanese (onyomi):", "日語（音讀）："},
    {"StaticText7", -1, "MainWindow.kKorean", "Korean:", "韓語："},
    {"StaticText8", -1, "MainWindow.kVietnamese", "Vietnamese:", "越南語："},
    {"TabPanel1", 0, "MainWindow.kVariantsTab", "Variants", "變體"},
    {"TabPanel1", 1, "MainWindow.kPronunciationTab", "Pronunciation", "讀音"},
    {"TabPanel1", 2, "MainWindow.kMeaningTab", "Meaning", "字義"},
};
const char kHelpTitleKey[] = "HelpWindow.kHelpWindowTitle";

using StringTable = QHash<QString, QString>;

}  // namespace

class WindowBuildingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void init() {
    ProbeWindow::layout = Json(kProbeLayout);
    ProbeWindow::log.clear();
    ProbeWindow::valueChanges = 0;
    fw::InstallStringTable({});
  }

  void cleanup() {
    for (fw::Window* window : fw::Window::OpenWindows())
      if (dynamic_cast<ProbeWindow*>(window)) delete window;
    DeleteClosedWindows();
    fw::InstallStringTable({});
  }

  // --- the build sequence, on a window of the test's own ---

  // A button in sight takes the focus like any control; one that lies wholly
  // outside the window (a hidden default button) never does.
  void onlyControlsInSightTakeTheFocus() {
    ProbeWindow::layout = Json(R"({
      "Window": {"Title": "Probe", "Width": 200, "Height": 120, "Visible": true},
      "Controls": [
        {"Class": "PushButton", "Name": "Shown", "Left": 4, "Top": 4, "Width": 80, "Height": 20,
         "Caption": "OK"},
        {"Class": "PushButton", "Name": "Hidden", "Left": 210, "Top": 4, "Width": 80,
         "Height": 20, "Caption": "Go", "Default": true},
        {"Class": "EditField", "Name": "Field", "Left": 4, "Top": 30, "Width": 100,
         "Height": 20}
      ]})");
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    QVERIFY(Activate(*window));
    QWidget* shown = window->FindControl("Shown")->Widget();
    QWidget* hidden = window->FindControl("Hidden")->Widget();
    QWidget* field = window->FindControl("Field")->Widget();
    QTRY_VERIFY(QApplication::focusWidget() == shown);
    QSet<QWidget*> reached;
    for (int tab = 0; tab < 6; ++tab) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      reached << QApplication::focusWidget();
    }
    QCOMPARE(reached, (QSet<QWidget*>{shown, field}));
    QTest::mouseClick(hidden, Qt::LeftButton);
    QVERIFY(!hidden->hasFocus());
  }

  // Return is used only where a default button takes it; otherwise it goes on
  // to Qt's own handling, unused.
  void returnIsUsedOnlyByADefaultButton_data() {
    QTest::addColumn<bool>("hasDefault");
    QTest::newRow("default button") << true;
    QTest::newRow("no default button") << false;
  }
  void returnIsUsedOnlyByADefaultButton() {
    QFETCH(bool, hasDefault);
    const QString layout = QStringLiteral(R"({
      "Window": {"Title": "Probe", "Width": 200, "Height": 120, "Visible": true},
      "Controls": [{"Class": "PushButton", "Name": "Go", "Left": 4, "Top": 4, "Width": 80,
                    "Height": 20, "Caption": "Go", "Default": %1}]})");
    ProbeWindow::layout = Json(layout.arg(hasDefault ? "true" : "false").toUtf8().constData());
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    int pushes = 0;
    window->FindControl("Go")->InstallHandler("Action", std::function<void()>([&] { ++pushes; }));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QApplication::sendEvent(window->Widget(), &press);
    QCOMPARE(press.isAccepted(), hasDefault);
    QCOMPARE(pushes, hasDefault ? 1 : 0);
  }

  void buildRunsLayoutControlsMenuHandlersThenOpenEvents() {
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    const QStringList expected{
        "Layout",
        "CreateControls",
        "constants Label, visible 1",
        "constants Slider, visible 1",
        "constants Caption, visible 1",
        "AddMenuHandlers",
        "Open Label",
        "Open Slider",
        "Open, shown 0",
    };
    QCOMPARE(ProbeWindow::log, expected);
    QVERIFY(window->Widget()->isVisible());
    QCOMPARE(window->Title(), QStringLiteral("Probe"));
    QVERIFY(window->IsOpen());
  }

  void constantTextsComeBeforeTheStoredList() {
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    auto& label = window->ControlByName<fw::StaticText>("Label");
    QCOMPARE(label.Text(), QStringLiteral("from a constant"));
    QVERIFY(!label.Visible());  // the stored list was applied after the constants
    QVERIFY(!label.Widget()->isVisible());
  }

  void handlersAreAttachedAfterTheStoredValues() {
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    auto& slider = window->ControlByName<fw::Slider>("Slider");
    QCOMPARE(slider.Value(), 40);
    QCOMPARE(slider.Minimum(), 30);
    QCOMPARE(ProbeWindow::valueChanges, 0);
    slider.SetValue(45);
    QCOMPARE(ProbeWindow::valueChanges, 1);
  }

  void anInvisibleWindowIsBuiltButNotShown() {
    QJsonObject windowProperties = ProbeWindow::layout.value("Window").toObject();
    windowProperties.insert("Visible", false);
    ProbeWindow::layout.insert("Window", windowProperties);
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    QVERIFY(window->IsOpen());
    QVERIFY(!window->Widget()->isVisible());
    window->Show();
    QVERIFY(window->Widget()->isVisible());
  }

  void closingRunsWindowCloseThenControlsCloseThenDeletes() {
    QPointer<ProbeWindow> window = fw::Window::Implicit<ProbeWindow>();
    QCOMPARE(fw::Window::Implicit<ProbeWindow>(), window.data());
    ProbeWindow::log.clear();
    window->CloseWindow();
    QCOMPARE(ProbeWindow::log, (QStringList{"Close", "Close Label", "Close Slider"}));
    QVERIFY(!window->IsOpen());
    QVERIFY(!window->Widget()->isVisible());
    for (fw::Window* open : fw::Window::OpenWindows()) QVERIFY(open != window);
    DeleteClosedWindows();
    QVERIFY(window.isNull());

    ProbeWindow::log.clear();
    ProbeWindow* again = fw::Window::Implicit<ProbeWindow>();
    QVERIFY(again->IsOpen());
    QCOMPARE(ProbeWindow::log.first(), QStringLiteral("Layout"));
    QCOMPARE(again->ControlByName<fw::StaticText>("Label").Text(),
             QStringLiteral("from a constant"));
  }

  void layoutErrorsThrowAndLeaveNoWindow_data() {
    QTest::addColumn<QByteArray>("layout");
    QTest::newRow("unknown control class")
        << QByteArray(R"({"Controls": [{"Class": "Gauge", "Name": "G"}]})");
    QTest::newRow("missing control class") << QByteArray(R"({"Controls": [{"Name": "G"}]})");
    QTest::newRow("unknown control property")
        << QByteArray(R"({"Controls": [{"Class": "StaticText", "Name": "L", "Colour": 3}]})");
    QTest::newRow("unknown slider property")
        << QByteArray(R"({"Controls": [{"Class": "Slider", "Name": "S", "Tickmarks": 1}]})");
    QTest::newRow("unknown window property")
        << QByteArray(R"({"Window": {"Width": 100, "Height": 100, "Shape": "round"}})");
    QTest::newRow("two controls of one name")
        << QByteArray(R"({"Controls": [{"Class": "StaticText", "Name": "L"},
                                       {"Class": "StaticText", "Name": "L"}]})");
    QTest::newRow("event without a handler") << QByteArray(
        R"({"Controls": [{"Class": "PushButton", "Name": "B", "Events": ["Action"]}]})");
  }
  void layoutErrorsThrowAndLeaveNoWindow() {
    QFETCH(QByteArray, layout);
    ProbeWindow::layout = QJsonDocument::fromJson(layout).object();
    QVERIFY(!ProbeWindow::layout.isEmpty());
    const qsizetype topLevels = QApplication::topLevelWidgets().size();
    QVERIFY_THROWS_EXCEPTION(std::logic_error, fw::Window::Implicit<ProbeWindow>());
    for (fw::Window* open : fw::Window::OpenWindows()) QVERIFY(!dynamic_cast<ProbeWindow*>(open));
    QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
  }

  void captionAndTextAreOneText_data() {
    QTest::addColumn<bool>("setAsCaption");
    QTest::addColumn<QString>("text");
    QTest::newRow("Text, Latin") << false << "Unicode:";
    QTest::newRow("Caption, Latin") << true << "Unicode:";
    QTest::newRow("Text, beyond the BMP") << false << QString::fromUtf8("國\U00020000");
    QTest::newRow("Caption, empty") << true << QString();
    QTest::newRow("Text, markup stays text") << false << "<b>國</b>";
  }
  void captionAndTextAreOneText() {
    QFETCH(bool, setAsCaption);
    QFETCH(QString, text);
    ProbeWindow* window = fw::Window::Implicit<ProbeWindow>();
    auto& label = window->ControlByName<fw::StaticText>("Caption");
    QCOMPARE(label.Text(), QStringLiteral("stored caption"));  // stored as "Caption"
    setAsCaption ? label.SetCaption(text) : label.SetText(text);
    QCOMPARE(label.Text(), text);
    QCOMPARE(label.Caption(), text);
    QCOMPARE(static_cast<QLabel*>(label.Widget())->textFormat(), Qt::PlainText);
  }

  // --- the program's windows ---

  void eachWindowClassHasOneImplicitInstance_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("storedText");
    QTest::newRow("main window, constant label") << "MainWindow"
                                                 << "StaticText4"
                                                 << "Variants:";
    QTest::newRow("main window, stored caption") << "MainWindow"
                                                 << "QueryButton" << QString::fromUtf8("查詢");
    QTest::newRow("main window, cleared by Open") << "MainWindow"
                                                  << "CodeText"
                                                  << "";
    QTest::newRow("about window, name") << "AboutWindow"
                                        << "StaticText1"
                                        << "Quillfern";
    QTest::newRow("about window, version") << "AboutWindow"
                                           << "StaticText2"
                                           << "1.2.0";
    QTest::newRow("help window, document") << "HelpWindow"
                                           << "EditField1" << HelpWindow::kHelpContent();
  }
  void eachWindowClassHasOneImplicitInstance() {
    QFETCH(QString, kind);
    QFETCH(QString, control);
    QFETCH(QString, storedText);
    AppFixture app;
    QPointer<fw::Window> window = OpenWindowNamed(kind);
    QVERIFY(window);
    QVERIFY(window->IsOpen());
    QCOMPARE(TextOf(*window->FindControl(control)), storedText);
    SetTextOf(*window->FindControl(control), "changed");
    QCOMPARE(OpenWindowNamed(kind), window.data());
    QCOMPARE(TextOf(*window->FindControl(control)), QStringLiteral("changed"));
    const std::vector<fw::Window*> open = fw::Window::OpenWindows();
    QCOMPARE(std::count(open.begin(), open.end(), window.data()), 1);

    window->CloseWindow();
    QVERIFY(!window.isNull());  // deleted later, not while its own event may still run
    DeleteClosedWindows();
    QVERIFY(window.isNull());
    fw::Window* rebuilt = OpenWindowNamed(kind);
    QVERIFY(rebuilt->IsOpen());
    QVERIFY(rebuilt->Widget()->isVisible());
    QCOMPARE(TextOf(*rebuilt->FindControl(control)), storedText);
  }

  void theStoredMainLayoutHoldsNoTextForConstants() {
    QFile file(":/resources/layouts/main_window.json");
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QJsonArray controls =
        QJsonDocument::fromJson(file.readAll()).object().value("Controls").toArray();
    QCOMPARE(controls.size(), 31);
    int checked = 0;
    for (const ConstantText& constant : kConstantTexts) {
      for (const QJsonValue& entry : controls) {
        const QJsonObject stored = entry.toObject();
        if (stored.value("Name").toString() != QLatin1String(constant.control)) continue;
        QVERIFY2(!stored.contains("Text") && !stored.contains("Caption") &&
                     !stored.contains("TabDefinition"),
                 constant.control);
        ++checked;
      }
    }
    QCOMPARE(checked, int(std::size(kConstantTexts)));
  }

  void textsFollowTheInstalledStringTable_data() {
    QTest::addColumn<StringTable>("table");
    StringTable chinese, partial;
    for (const ConstantText& constant : kConstantTexts)
      chinese.insert(constant.key, QString::fromUtf8(constant.chinese));
    chinese.insert(kHelpTitleKey, QString::fromUtf8("說明"));
    partial.insert("MainWindow.kVariants", QString::fromUtf8("變體："));
    partial.insert("MainWindow.kMeaningTab", QString::fromUtf8("字義"));
    QTest::newRow("no translations") << StringTable{};
    QTest::newRow("Chinese") << chinese;
    QTest::newRow("partly translated") << partial;
    QTest::newRow("unrelated keys only") << StringTable{{"Other.kVariants", "x"}};
  }
  void textsFollowTheInstalledStringTable() {
    QFETCH(StringTable, table);
    fw::InstallStringTable(table);
    AppFixture app;
    for (const ConstantText& constant : kConstantTexts) {
      const QString expected = table.value(constant.key, QString::fromUtf8(constant.english));
      fw::Control& control = app.Window()->ControlByName<fw::Control>(constant.control);
      const QString shown = constant.page >= 0
                                ? fw::ControlAs<fw::TabPanel>(control).PageTitle(constant.page)
                                : TextOf(control);
      QVERIFY2(shown == expected, qPrintable(QString::fromUtf8(constant.key) + ": " + shown));
    }
    QCOMPARE(fw::ControlAs<fw::TabPanel>(app.Window()->ControlByName<fw::Control>("TabPanel1"))
                 .PageCount(),
             3);
    QCOMPARE(app.Window()->Title(), QStringLiteral("Quillfern"));
    QCOMPARE(HelpWindow::Instance()->Title(), table.value(kHelpTitleKey, "Quillfern Help"));
  }

  void controlsByNameCheckTheirClass_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("asClass");
    QTest::addColumn<bool>("found");
    QTest::newRow("button as PushButton") << "QueryButton"
                                          << "PushButton" << true;
    QTest::newRow("button as StaticText") << "QueryButton"
                                          << "StaticText" << false;
    QTest::newRow("field as EditField") << "HanziField"
                                        << "EditField" << true;
    QTest::newRow("field as Canvas") << "HanziField"
                                     << "Canvas" << false;
    QTest::newRow("slider as Slider") << "Slider1"
                                      << "Slider" << true;
    QTest::newRow("slider as EditField") << "Slider1"
                                         << "EditField" << false;
    QTest::newRow("label as StaticText") << "CurrentText"
                                         << "StaticText" << true;
    QTest::newRow("tab panel as TabPanel") << "TabPanel1"
                                           << "TabPanel" << true;
    QTest::newRow("any control as Control") << "Canvas1"
                                            << "Control" << true;
    QTest::newRow("no such control") << "NoSuchField"
                                     << "EditField" << false;
    QTest::newRow("empty name") << ""
                                << "Control" << false;
  }
  void controlsByNameCheckTheirClass() {
    QFETCH(QString, name);
    QFETCH(QString, asClass);
    QFETCH(bool, found);
    AppFixture app;
    const std::map<QString, std::function<fw::Control&()>> reach{
        {"PushButton",
         [&]() -> fw::Control& { return app.Window()->ControlByName<fw::PushButton>(name); }},
        {"StaticText",
         [&]() -> fw::Control& { return app.Window()->ControlByName<fw::StaticText>(name); }},
        {"EditField",
         [&]() -> fw::Control& { return app.Window()->ControlByName<fw::EditField>(name); }},
        {"Canvas", [&]() -> fw::Control& { return app.Window()->ControlByName<fw::Canvas>(name); }},
        {"Slider", [&]() -> fw::Control& { return app.Window()->ControlByName<fw::Slider>(name); }},
        {"TabPanel",
         [&]() -> fw::Control& { return app.Window()->ControlByName<fw::TabPanel>(name); }},
        {"Control",
         [&]() -> fw::Control& { return app.Window()->ControlByName<fw::Control>(name); }},
    };
    if (found) {
      QCOMPARE(reach.at(asClass)().Name, name);
    } else {
      QVERIFY_THROWS_EXCEPTION(std::logic_error, reach.at(asClass)());
    }
  }
};

QTEST_MAIN(WindowBuildingTest)
#include "tst_window_building.moc"
