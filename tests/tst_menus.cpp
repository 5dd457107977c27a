// The menu bar: its tree, the menus Qt shows, the enabling pass, dispatch to
// the front window or the application, and what the items do.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QUrl>

#include "app/menu_bar1.h"
#include "app/menu_items.h"
#include "framework/application.h"
#include "framework/edit_field.h"
#include "framework/slider.h"
#include "help_about/about_window.h"
#include "help_about/help_window.h"
#include "support/app_fixture.h"
#include "support/characters.h"
#include "support/closing.h"
#include "support/focus.h"
#include "support/menu_choice.h"
#include "support/open_windows.h"
#include "support/own_bus.h"
#include "support/stored_preference.h"

namespace {

enum class Kind { Item, Quit, About };

}  // namespace

Q_DECLARE_METATYPE(Kind)

// Takes the URLs the program asks the desktop to open.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void open(const QUrl& url) { urls << url; }
};

class MenusTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void barHoldsTheItemsInOrder_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");  // "": the bar
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<Kind>("kind");
    const auto row = [](const char* name, const char* parent, int index, const char* text,
                        const char* shortcut, Kind kind = Kind::Item) {
      QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(parent) << index
                          << QString::fromUtf8(text) << QString::fromLatin1(shortcut) << kind;
    };
    row("FileMenu", "", 0, "File", "");
    row("FileQuit", "FileMenu", 0, "Quit", "Cmd+Q", Kind::Quit);
    row("FileClose", "FileMenu", 1, "Close", "Cmd+W");
    row("EditMenu", "", 1, "Edit", "");
    row("EditUndo", "EditMenu", 0, "Undo", "Cmd+Z");
    row("UntitledMenu0", "EditMenu", 1, "-", "");
    row("EditCut", "EditMenu", 2, "Cut", "Cmd+X");
    row("EditCopy", "EditMenu", 3, "Copy", "Cmd+C");
    row("EditPaste", "EditMenu", 4, "Paste", "Cmd+V");
    row("EditClear", "EditMenu", 5, "Clear", "");
    row("EditSelectAll", "EditMenu", 6, "Select All", "Cmd+A");
    row("HelpMenu", "", 2, "Help", "");
    row("HelpQuillfern", "HelpMenu", 0, "Quillfern Help", "Cmd+?");
    row("HelpQuillfernHomepage", "HelpMenu", 1, "Quillfern Homepage", "");
    row("AppleAboutthisapplication", "HelpMenu", 2, "About Quillfern", "", Kind::About);
  }
  void barHoldsTheItemsInOrder() {
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(int, index);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(Kind, kind);
    MenuBar1* bar = MenuBar1::Instance();
    fw::MenuItem* item = bar->Lookup(name);
    QVERIFY(item);
    fw::MenuItem* holder = parent.isEmpty() ? bar : bar->Child(parent);
    QVERIFY(holder);
    QCOMPARE(item->Parent(), holder);
    QCOMPARE(holder->Item(index), item);
    QCOMPARE(item->Text, text);
    QCOMPARE(item->KeyboardShortcut, shortcut);
    QVERIFY(item->AutoEnable);
    QCOMPARE(dynamic_cast<fw::QuitMenuItem*>(item) != nullptr, kind == Kind::Quit);
    QCOMPARE(dynamic_cast<fw::AppleMenuItem*>(item) != nullptr, kind == Kind::About);
  }

  void barHoldsNothingElse() {
    MenuBar1* bar = MenuBar1::Instance();
    QCOMPARE(bar->Count(), 3);
    QCOMPARE(bar->Child("FileMenu")->Count(), 2);
    QCOMPARE(bar->Child("EditMenu")->Count(), 7);
    QCOMPARE(bar->Child("HelpMenu")->Count(), 3);
    QVERIFY(MenuItemNamed("UntitledMenu0").IsSeparator());
    QCOMPARE(bar->Child("FileMenu")->Lookup("FileClose"), &MenuItemNamed("FileClose"));
    QVERIFY(!bar->Child("EditMenu")->Lookup("FileClose"));
    QVERIFY(!bar->Lookup("UntitledMenu1"));
  }

  void accessorsFindTheOneBarsItems() {
    AppFixture app;
    MainWindow* window = app.Window();
    QCOMPARE(MenuBar1::Instance(), MenuBar1::Instance());
    QCOMPARE(App::Instance()->GetMenuBar(), MenuBar1::Instance());
    QCOMPARE(window->GetMenuBar(), MenuBar1::Instance());
    QCOMPARE(window->FileQuit(), &MenuItemNamed("FileQuit"));
    QCOMPARE(window->FileClose(), &MenuItemNamed("FileClose"));
    QCOMPARE(window->UntitledMenu0(), &MenuItemNamed("UntitledMenu0"));
    QCOMPARE(window->EditSelectAll(), &MenuItemNamed("EditSelectAll"));
    QCOMPARE(window->AppleAboutthisapplication(), &MenuItemNamed("AppleAboutthisapplication"));
    QCOMPARE(window->UntitledMenu1(), nullptr);
    QCOMPARE(FileClose(), &MenuItemNamed("FileClose"));
    QCOMPARE(HelpQuillfern(), &MenuItemNamed("HelpQuillfern"));
    QCOMPARE(HelpQuillfernHomepage(), &MenuItemNamed("HelpQuillfernHomepage"));
    QCOMPARE(AppleAboutthisapplication(), &MenuItemNamed("AppleAboutthisapplication"));
  }

  // Every window keeps the program's one menu bar shown: the same menus and
  // items, though only the main window sets a bar of its own.
  // The content keeps its stored size below the bar.
  void everyWindowShowsTheMenus_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QSize>("content");
    QTest::newRow("main") << "MainWindow" << QSize(444, 319);
    QTest::newRow("About") << "AboutWindow" << QSize(286, 178);
    QTest::newRow("Help") << "HelpWindow" << QSize(550, 446);
  }
  void everyWindowShowsTheMenus() {
    QFETCH(QString, window);
    QFETCH(QSize, content);
    AppFixture app;
    fw::Window* shownIn = OpenWindowNamed(window);
    QVERIFY(shownIn);
    QCOMPARE(shownIn->GetMenuBar() != nullptr, shownIn == app.Window());
    QCOMPARE(shownIn->ShownMenuBar(), MenuBar1::Instance());
    QVERIFY(QTest::qWaitForWindowExposed(shownIn->Widget()));
    // menuWidget(), unlike menuBar(), does not make a bar where there is none.
    auto* shown = qobject_cast<QMenuBar*>(shownIn->Widget()->menuWidget());
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    QVERIFY(shown->height() > 0);
    QCOMPARE(shownIn->Content()->size(), content);
    QCOMPARE(shownIn->Content()->y(), shown->geometry().bottom() + 1);
    QStringList titles, items;
    for (QAction* top : shown->actions()) {
      QVERIFY(top->menu());
      titles << top->text();
      for (QAction* action : top->menu()->actions()) {
        items << action->objectName();
        QCOMPARE(action, MenuItemNamed(action->objectName().toLatin1()).Action());
      }
    }
    QCOMPARE(titles, (QStringList{"File", "Edit", "Help"}));
    QCOMPARE(items,
             (QStringList{"FileQuit", "FileClose", "EditUndo", "UntitledMenu0", "EditCut",
                          "EditCopy", "EditPaste", "EditClear", "EditSelectAll", "HelpQuillfern",
                          "HelpQuillfernHomepage", "AppleAboutthisapplication"}));
  }

  // The About or Help window's own File menu: opening it enables Close for that
  // window, and triggering the item closes that one.
  void openingTheWindowsOwnFileMenuEnablesCloseForIt_data() {
    closeClosesTheFrontWindowOnly_data();
  }
  void openingTheWindowsOwnFileMenuEnablesCloseForIt() {
    QFETCH(QString, front);
    AppFixture app;
    fw::Window* window = OpenWindowNamed(front);
    QVERIFY(window);
    QVERIFY(Activate(*window));
    QWidget* bar = window->Widget()->menuWidget();
    QVERIFY(bar);
    auto* fileMenu = bar->findChild<QMenu*>(QStringLiteral("FileMenu"));
    QVERIFY(fileMenu);
    MenuItemNamed("FileClose").SetEnabled(false);
    emit fileMenu->aboutToShow();
    QAction* close = MenuItemNamed("FileClose").Action();
    QVERIFY(fileMenu->actions().contains(close));
    QVERIFY(close->isEnabled());
    close->trigger();
    QVERIFY(!window->IsOpen());
    QVERIFY(app.Window()->IsOpen());
    DeleteClosedWindows();
  }

  void actionsCarryTheShortcuts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("keys");
    QTest::newRow("FileQuit") << "FileQuit" << QStringList{"Ctrl+Q"};
    QTest::newRow("FileClose") << "FileClose" << QStringList{"Ctrl+W"};
    QTest::newRow("EditUndo") << "EditUndo" << QStringList{"Ctrl+Z"};
    QTest::newRow("UntitledMenu0") << "UntitledMenu0" << QStringList{};
    QTest::newRow("EditCut") << "EditCut" << QStringList{"Ctrl+X"};
    QTest::newRow("EditCopy") << "EditCopy" << QStringList{"Ctrl+C"};
    QTest::newRow("EditPaste") << "EditPaste" << QStringList{"Ctrl+V"};
    QTest::newRow("EditClear") << "EditClear" << QStringList{};
    QTest::newRow("EditSelectAll") << "EditSelectAll" << QStringList{"Ctrl+A"};
    QTest::newRow("HelpQuillfern") << "HelpQuillfern" << QStringList{"Ctrl+?", "Ctrl+Shift+?"};
    QTest::newRow("HelpQuillfernHomepage") << "HelpQuillfernHomepage" << QStringList{};
    QTest::newRow("AppleAboutthisapplication") << "AppleAboutthisapplication" << QStringList{};
  }
  void actionsCarryTheShortcuts() {
    QFETCH(QString, name);
    QFETCH(QStringList, keys);
    AppFixture app;
    auto* action = app.Window()->Widget()->menuBar()->findChild<QMenu*>(
        MenuItemNamed(name.toLatin1()).Parent()->Name);
    QVERIFY(action);
    QAction* found = nullptr;
    for (QAction* candidate : action->actions())
      if (candidate->objectName() == name) found = candidate;
    QVERIFY(found);
    QCOMPARE(found, MenuItemNamed(name.toLatin1()).Action());
    QStringList shortcuts;
    for (const QKeySequence& key : found->shortcuts())
      shortcuts << key.toString(QKeySequence::PortableText);
    QCOMPARE(shortcuts, keys);
    QCOMPARE(found->shortcutContext(), Qt::ApplicationShortcut);
    QCOMPARE(found->isSeparator(), name == QLatin1String("UntitledMenu0"));
    // A separator is drawn as a line only: the style would draw any text beside it.
    if (found->isSeparator()) QCOMPARE(found->text(), QString());
  }

  void enablingWithTheMainWindowInFront_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("enabled");
    // The window enables only Select All; Close is on because it has a handler.
    QTest::newRow("FileQuit") << "FileQuit" << true;
    QTest::newRow("FileClose") << "FileClose" << true;
    QTest::newRow("EditSelectAll") << "EditSelectAll" << true;
    QTest::newRow("HelpQuillfern") << "HelpQuillfern" << true;
    QTest::newRow("HelpQuillfernHomepage") << "HelpQuillfernHomepage" << true;
    QTest::newRow("AppleAboutthisapplication") << "AppleAboutthisapplication" << true;
    // No text field has the focus.
    QTest::newRow("EditUndo") << "EditUndo" << false;
    QTest::newRow("EditCut") << "EditCut" << false;
    QTest::newRow("EditCopy") << "EditCopy" << false;
    QTest::newRow("EditPaste") << "EditPaste" << false;
    QTest::newRow("EditClear") << "EditClear" << false;
  }
  void enablingWithTheMainWindowInFront() {
    QFETCH(QString, name);
    QFETCH(bool, enabled);
    AppFixture app;
    QCOMPARE(fw::Window::Front(), app.Window());
    MenuBar1::Instance()->UpdateEnabling();
    fw::MenuItem& item = MenuItemNamed(name.toLatin1());
    QCOMPARE(item.Enabled(), enabled);
    QCOMPARE(item.Action()->isEnabled(), enabled);
  }

  void editItemsFollowTheFocusedField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("editable");
    QTest::newRow("search field") << "HanziField" << true;
    QTest::newRow("read-only variants") << "ZVariantField" << false;
  }
  void editItemsFollowTheFocusedField() {
    QFETCH(QString, field);
    QFETCH(bool, editable);
    AppFixture app;
    fw::EditField& focused = app.Control<fw::EditField>(field.toLatin1());
    focused.SetText(QStringLiteral("漢字"));
    focused.SetSelStart(0);
    focused.SetSelLength(1);
    QVERIFY(FocusOn(focused.Widget()));
    MenuBar1::Instance()->UpdateEnabling();
    QVERIFY(MenuItemNamed("EditCopy").Enabled());
    QVERIFY(MenuItemNamed("EditSelectAll").Enabled());
    for (const char* name : {"EditUndo", "EditCut", "EditPaste", "EditClear"})
      QVERIFY2(MenuItemNamed(name).Enabled() == editable, name);
  }

  // Clear takes away the selection and nothing else, chosen from the menu.
  void clearRemovesOnlyTheSelection_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("left");
    QTest::newRow("a selection") << "漢字詞" << 1 << 1 << true << "漢詞";
    QTest::newRow("a supplementary character")
        << "漢" + kSupplementary + "詞" << 1 << 2 << true << "漢詞";
    QTest::newRow("no selection, cursor before a character")
        << "漢字詞" << 1 << 0 << false << "漢字詞";
    QTest::newRow("no selection, cursor at the end") << "漢字詞" << 3 << 0 << false << "漢字詞";
  }
  void clearRemovesOnlyTheSelection() {
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(bool, enabled);
    QFETCH(QString, left);
    AppFixture app;
    fw::EditField& search = app.Control<fw::EditField>("HanziField");
    search.SetText(text);
    QVERIFY(FocusOn(search.Widget()));
    search.SetSelStart(start);
    search.SetSelLength(length);
    MenuBar1::Instance()->UpdateEnabling();
    QCOMPARE(MenuItemNamed("EditClear").Enabled(), enabled);
    MenuItemNamed("EditClear").Action()->trigger();
    QCOMPARE(search.Text(), left);
    QCOMPARE(static_cast<QLineEdit*>(search.Widget())->text(), left);
  }

  void selectAllGoesToTheMainWindowsHandler() {
    AppFixture app;
    fw::EditField& variants = app.Control<fw::EditField>("ZVariantField");
    variants.SetText(QStringLiteral("汉") + kSupplementary);
    QVERIFY(FocusOn(variants.Widget()));
    QVERIFY(FocusOn(app.Control<fw::Slider>("Slider1").Widget()));
    variants.SetSelStart(0);
    Choose("EditSelectAll");
    QCOMPARE(variants.SelText(), variants.Text());
  }

  void closeClosesTheFrontWindowOnly_data() {
    QTest::addColumn<QString>("front");
    QTest::newRow("About") << "AboutWindow";
    QTest::newRow("Help") << "HelpWindow";
  }
  void closeClosesTheFrontWindowOnly() {
    QFETCH(QString, front);
    AppFixture app;
    fw::Window* window = OpenWindowNamed(front);
    QVERIFY(window);
    QVERIFY(Activate(*window));
    QCOMPARE(fw::Window::Front(), window);
    MenuBar1::Instance()->UpdateEnabling();
    QVERIFY(MenuItemNamed("FileClose").Enabled());
    VerifyClosingLeavesOnlyTheMainWindow(app, window, false);
  }

  void theCloseShortcutWorksInTheAboutWindow() {
    AppFixture app;
    AboutWindow* about = AboutWindow::Instance();
    QVERIFY(Activate(*about));
    QTest::keyClick(about->Widget(), Qt::Key_W, Qt::ControlModifier);
    QVERIFY(!about->IsOpen());
    QVERIFY(app.Window()->IsOpen());
    DeleteClosedWindows();
  }

  void aboutAndHelpShowOnceHoweverOftenChosen_data() {
    QTest::addColumn<QString>("item");
    QTest::newRow("About") << "AppleAboutthisapplication";
    QTest::newRow("Help") << "HelpQuillfern";
  }
  void aboutAndHelpShowOnceHoweverOftenChosen() {
    QFETCH(QString, item);
    AppFixture app;
    const bool about = item == QLatin1String("AppleAboutthisapplication");
    for (int i = 0; i < 2; ++i) {
      if (about)
        QCOMPARE(App::Instance()->AppleAboutthisapplication_Action(), false);
      else
        QCOMPARE(App::Instance()->HelpQuillfern_Action(), false);
    }
    Choose(item.toLatin1());
    QCOMPARE(OpenCount<AboutWindow>(), about ? 1 : 0);
    QCOMPARE(OpenCount<HelpWindow>(), about ? 0 : 1);
    QCOMPARE(fw::Window::OpenWindows().size(), size_t(2));
    QVERIFY(fw::Window::OpenWindows().back()->Widget()->isVisible());
    QCOMPARE(app.messages, QStringList());
  }

  void quitClosesEveryWindowStoresTheSizeAndQuits() {
    AppFixture app;
    app.Control<fw::Slider>("Slider1").SetValue(36);
    QVERIFY(Activate(*AboutWindow::Instance()));
    QVERIFY(!fw::QuitRequested());
    Choose("FileQuit");
    QVERIFY(fw::QuitRequested());
    QVERIFY(fw::Window::OpenWindows().empty());
    QCOMPARE(StoredPreference(app, QStringLiteral("VariantFontSize")), QStringLiteral("36"));
    QCOMPARE(app.messages, QStringList());
    DeleteClosedWindows();
  }

  void copyPutsTheSelectedVariantOnTheClipboard_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("copied");
    QTest::newRow("one character") << "汉漢" << 1 << 1 << "漢";
    QTest::newRow("supplementary character")
        << "汉" + kSupplementary + "漢" << 1 << 2 << kSupplementary;
    QTest::newRow("all") << "汉漢" << 0 << 2 << "汉漢";
  }
  void copyPutsTheSelectedVariantOnTheClipboard() {
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, copied);
    AppFixture app;
    fw::EditField& variants = app.Control<fw::EditField>("ZVariantField");
    variants.SetText(text);
    QVERIFY(FocusOn(variants.Widget()));
    QClipboard* clipboard = QGuiApplication::clipboard();

    clipboard->setText(QStringLiteral("before"));
    variants.SetSelStart(start);
    variants.SetSelLength(length);
    Choose("EditCopy");
    QCOMPARE(clipboard->text(), copied);

    // The shortcut, typed into the field.
    clipboard->setText(QStringLiteral("before"));
    variants.SetSelStart(start);
    variants.SetSelLength(length);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), copied);
  }

  void homepageOpensTheProgramsSite() {
    AppFixture app;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QCOMPARE(App::Instance()->HelpQuillfernHomepage_Action(), false);
    Choose("HelpQuillfernHomepage");
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    const QUrl homepage(QString::fromLatin1(App::kHomepage));
    QCOMPARE(catcher.urls, (QList<QUrl>{homepage, homepage}));
    QCOMPARE(homepage.scheme(), QStringLiteral("https"));
    QCOMPARE(fw::Window::OpenWindows().size(), size_t(1));
  }
};

QTEST_MAIN(MenusTest)
#include "tst_menus.moc"
