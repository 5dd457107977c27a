// Minimised windows under a real window manager (openbox on Xvfb): choosing
// the Help or About item again brings that same window back from minimised,
// on top and active, and a request from another application brings back a
// minimised main window, where its lookup shows.
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <memory>

#include "framework/menu.h"
#include "framework/pasteboard.h"
#include "framework/static_text.h"
#include "services/my_events.h"
#include "support/app_fixture.h"
#include "support/focus.h"
#include "support/menu_choice.h"
#include "support/open_windows.h"
#include "support/own_bus.h"
#include "support/window_manager.h"
#include "support/x_tools.h"

namespace {

const char kHidden[] = "_NET_WM_STATE_HIDDEN";
const char kMaximised[] = "_NET_WM_STATE_MAXIMIZED_VERT";

struct Probe : MyEvents {
  using MyEvents::ServicePerform;
};

// Chooses the menu item by its shortcut pressed on the X keyboard (keys as
// xdotool names them), or through its menu action, as a click on it does,
// when keys is empty.
bool ChooseAsTheUser(const char* item, const QString& keys) {
  if (keys.isEmpty()) {
    MenuItemNamed(item).Action()->trigger();
    return true;
  }
  return XDoTool({QStringLiteral("key"), keys});
}

// Minimises the window through the window manager and waits until it is.
bool MinimiseAndWait(WId window) {
  return Minimise(window) && QTest::qWaitFor([window] {
           return WmState(window) == QLatin1String("Iconic") && MarkedWith(window, kHidden);
         });
}

// Shown again: in the normal state, not marked hidden, and mapped.
bool ShownAgain(WId window) {
  return QTest::qWaitFor([window] {
    return WmState(window) == QLatin1String("Normal") && !MarkedWith(window, kHidden) &&
           Viewable(window);
  });
}

}  // namespace

class MinimisedWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
    windowManager_ = std::make_unique<WindowManager>();
    QVERIFY(windowManager_->Managing());
  }
  void cleanupTestCase() { windowManager_.reset(); }

  void choosingTheItemAgainShowsTheSameWindow_data() {
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("maximised");  // before it was minimised, and so again after
    QTest::newRow("Help by Ctrl+?") << "HelpWindow"
                                    << "HelpQuillfern"
                                    << "ctrl+question" << false;
    QTest::newRow("Help from the menu") << "HelpWindow"
                                        << "HelpQuillfern" << QString() << false;
    QTest::newRow("Help maximised") << "HelpWindow"
                                    << "HelpQuillfern" << QString() << true;
    QTest::newRow("About from the menu") << "AboutWindow"
                                         << "AppleAboutthisapplication" << QString() << false;
  }
  void choosingTheItemAgainShowsTheSameWindow() {
    QFETCH(QString, className);
    QFETCH(QString, item);
    QFETCH(QString, keys);
    QFETCH(bool, maximised);
    AppFixture app;
    QVERIFY(Activate(*app.Window()));
    QVERIFY(ChooseAsTheUser(qPrintable(item), keys));
    QCOMPARE(fw::Window::OpenWindows().size(), size_t(2));
    fw::Window* window = OpenWindowNamed(className);
    const WId id = window->Widget()->winId();
    QTRY_COMPARE(ActiveWindow(), id);
    if (maximised) {
      window->Widget()->showMaximized();
      QTRY_VERIFY(MarkedWith(id, kMaximised));
    }

    QVERIFY(MinimiseAndWait(id));
    QVERIFY(Activate(*app.Window()));
    QVERIFY(ChooseAsTheUser(qPrintable(item), keys));

    QVERIFY(ShownAgain(id));
    QTRY_COMPARE(StackTopFirst().value(0), id);
    QTRY_COMPARE(ActiveWindow(), id);
    QCOMPARE(fw::Window::OpenWindows().size(), size_t(2));
    QCOMPARE(OpenWindowNamed(className), window);
    QCOMPARE(MarkedWith(id, kMaximised), maximised);
  }

  // A request brings the program forward: each window in its place among the
  // others, the minimised ones back too, above all the main window, where the
  // lookup shows. Help, when open, was opened after the main window.
  void aRequestBringsMinimisedWindowsBack_data() {
    QTest::addColumn<bool>("withHelp");
    QTest::addColumn<QString>("minimised");
    QTest::addColumn<QString>("front");  // in front when the request comes
    QTest::newRow("main window alone") << false << "MainWindow"
                                       << "MainWindow";
    QTest::newRow("main window, Help in front") << true << "MainWindow"
                                                << "HelpWindow";
    QTest::newRow("Help, main window in front") << true << "HelpWindow"
                                                << "MainWindow";
  }
  void aRequestBringsMinimisedWindowsBack() {
    QFETCH(bool, withHelp);
    QFETCH(QString, minimised);
    QFETCH(QString, front);
    AppFixture app(RealDataFolder());
    QVERIFY(Activate(*app.Window()));
    if (withHelp) QVERIFY(Activate(*OpenWindowNamed(QStringLiteral("HelpWindow"))));
    const WId minimisedId = OpenWindowNamed(minimised)->Widget()->winId();
    QVERIFY(MinimiseAndWait(minimisedId));
    // The window manager hands the focus on to the other window, if any.
    QWidget* frontWindow = OpenWindowNamed(front)->Widget();
    if (minimised != front) QTRY_COMPARE(QApplication::activeWindow(), frontWindow);

    Probe().ServicePerform(fw::Pasteboard({{"text/plain;charset=utf-8", QByteArray("鳥")}}),
                           QStringLiteral("SOHZge"), QString());
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), QStringLiteral("Unicode: 9CE5"));

    QVERIFY(ShownAgain(minimisedId));
    QList<WId> expected{frontWindow->winId()};
    const QString behind = front == QLatin1String("MainWindow") ? QStringLiteral("HelpWindow")
                                                                : QStringLiteral("MainWindow");
    if (withHelp) expected << OpenWindowNamed(behind)->Widget()->winId();
    QTRY_COMPARE(StackTopFirst().mid(0, expected.size()), expected);
    QTRY_COMPARE(ActiveWindow(), expected.first());
  }

 private:
  std::unique_ptr<WindowManager> windowManager_;
};

QTEST_MAIN(MinimisedWindowsTest)
#include "tst_minimised_windows.moc"
