#include "framework/frontmost.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

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

// The program's windows by their last activation, the most recent last. Qt
// knows no stacking order, and once the program is in the background it
// reports no active window at all, so activation is followed as it moves.
std::vector<QPointer<QWidget>>& ActivationOrder() {
  static std::vector<QPointer<QWidget>> order;
  return order;
}

void Remember(QWindow* window) {
  QWidget* widget = WidgetOf(window);
  if (!widget || !IsMainKind(widget)) return;
  auto& order = ActivationOrder();
  std::erase_if(order, [widget](const QPointer<QWidget>& w) { return !w || w == widget; });
  order.push_back(widget);
}

void StartTracking() {
  // Only widget programs have windows to track; pure console runs (some tests) do not.
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  if (!app) return;
  QObject::connect(app, &QGuiApplication::focusWindowChanged, app, &Remember);
}

// The program's shown windows from the bottom of their stack to its top:
// those never activated first, in the order they were made, then the others
// by their last activation.
std::vector<QWidget*> ShownWindowsBottomUp() {
  std::vector<QWidget*> shown;
  for (QWindow* window : QGuiApplication::topLevelWindows()) {
    QWidget* widget = WidgetOf(window);
    if (widget && widget->isVisible() && IsMainKind(widget)) shown.push_back(widget);
  }
  auto activated = [](QWidget* widget) -> std::ptrdiff_t {
    const auto& order = ActivationOrder();
    const auto found = std::find(order.begin(), order.end(), widget);
    return found == order.end() ? -1 : found - order.begin();
  };
  std::stable_sort(shown.begin(), shown.end(),
                   [&](QWidget* a, QWidget* b) { return activated(a) < activated(b); });
  return shown;
}

}  // namespace

// Runs as the application object is made, so no activation goes unseen.
Q_COREAPP_STARTUP_FUNCTION(StartTracking)

void BringApplicationToFront() {
  const std::vector<QWidget*> windows = ShownWindowsBottomUp();
  if (windows.empty()) return;
  // Each raise puts a window on top of every other, so raising from the
  // bottom up lifts them all above other programs in their own order. A
  // minimised one comes back too: the user would not see what it shows.
  for (QWidget* window : windows) {
    BringBackFromMinimised(*window);
    window->raise();
  }
  windows.back()->activateWindow();
}

void BringBackFromMinimised(QWidget& window) {
  // Only the minimised state goes: a maximised or full-screen window stays so.
  if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
}

}  // namespace fw
