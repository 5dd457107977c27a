#include "support/closing.h"

#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <algorithm>

#include "framework/application.h"
#include "support/app_fixture.h"
#include "support/focus.h"
#include "support/menu_choice.h"
#include "support/open_windows.h"

void VerifyClosingLeavesOnlyTheMainWindow(AppFixture& app, fw::Window* window, bool byKey) {
  QVERIFY(window);
  QPointer<fw::Window> closing = window;
  QVERIFY(Activate(*window));
  QCOMPARE(fw::Window::Front(), window);
  if (byKey)
    QTest::keyClick(window->Widget(), Qt::Key_W, Qt::ControlModifier);
  else
    Choose("FileClose");
  QVERIFY(!window->IsOpen());
  const std::vector<fw::Window*> open = fw::Window::OpenWindows();
  QVERIFY(std::find(open.begin(), open.end(), window) == open.end());
  QCOMPARE(open, std::vector<fw::Window*>{app.Window()});
  QVERIFY(app.Window()->IsOpen());
  QVERIFY(app.Window()->Widget()->isVisible());
  QVERIFY(!fw::QuitRequested());
  DeleteClosedWindows();
  QVERIFY(!closing);
}
