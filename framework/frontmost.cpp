#include "framework/frontmost.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace fw {
namespace {

// Popups, tool tips and the like are never what the user means by "the window".
bool IsMainKind(const QWidget* widget) {
  switch (widget->windowType()) {
    case Qt::Window:
    case Qt::Dialog:
    case Qt::Sheet:
    case Qt::Drawer:
    case Qt::Tool:
      return true;
    default:
      return false;
  }
}

QWidget* WidgetOf(const QWindow* window) {
  if (!window) return nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (widget->windowHandle() == window) return widget;
  return nullptr;
}

// Once the program is in the background Qt reports no active window at all, so
// the last one is remembered as activation moves.
QPointer<QWidget>& LastActive() {
  static QPointer<QWidget> widget;
  return widget;
}

void Remember(QWindow* window) {
  QWidget* widget = WidgetOf(window);
  if (widget && IsMainKind(widget)) LastActive() = widget;
}

void StartTracking() {
  // Only widget programs have windows to track; pure console runs (some tests) do not.
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return;
  QObject::connect(app, &QGuiApplication::focusWindowChanged, app, &Remember);
}

}  // namespace

// Runs as the application object is made, so no activation goes unseen.
Q_COREAPP_STARTUP_FUNCTION(StartTracking)

void BringApplicationToFront() {
  QWidget* target = LastActive();
  if (!target || !target->isVisible()) {
    target = nullptr;
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
      QWidget* widget = WidgetOf(window);
      if (widget && widget->isVisible() && IsMainKind(widget)) {
        target = widget;
        break;
      }
    }
  }
  if (!target) return;
  if (target->isMinimized())
    target->setWindowState((target->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  target->raise();
  target->activateWindow();
}

}  // namespace fw
