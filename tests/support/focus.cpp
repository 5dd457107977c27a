#include "support/focus.h"

#include <QApplication>
#include <QMainWindow>
#include <QTest>
#include <QWindow>

#include "framework/window.h"

bool Activate(fw::Window& window) {
  window.Show();
  window.Widget()->activateWindow();
  return QTest::qWaitForWindowActive(window.Widget());
}

bool FocusOn(QWidget* widget) {
  QWidget* top = widget->window();
  top->activateWindow();
  if (!QTest::qWaitForWindowActive(top)) return false;
  widget->setFocus(Qt::OtherFocusReason);
  return QTest::qWaitFor([widget] { return widget->hasFocus(); });
}

bool PutAnotherApplicationInFront(QWindow& other) {
  other.show();
  other.requestActivate();
  return QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == &other; }) &&
         QApplication::activeWindow() == nullptr;
}

void ExpectComingToFront(int times) {
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) return;
  for (int i = 0; i < times; ++i)
    QTest::ignoreMessage(QtWarningMsg, "This plugin does not support raise()");
}
