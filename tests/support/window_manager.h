#pragma once
// A real window manager on the test's X display, and what it says about a
// window: the states a user sees (minimised or not, on top, active).
#include <QProcess>
#include <QWidget>

// Starts openbox on the display; the destructor ends it.
class WindowManager {
 public:
  WindowManager();
  ~WindowManager();
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  // Waits until it manages every window mapped from now on; false when it
  // did not come to.
  bool Managing();

 private:
  QProcess openbox_;
  QByteArray ready_;
};

// The window's ICCCM state as xprop prints it: "Normal", "Iconic", or empty.
QString WmState(WId window);
// Whether the window manager marks the window with the state, such as
// "_NET_WM_STATE_HIDDEN" (minimised) or "_NET_WM_STATE_MAXIMIZED_VERT".
bool MarkedWith(WId window, const char* state);
// Whether the window is mapped and all its ancestors too (xwininfo's IsViewable).
bool Viewable(WId window);
// The window the window manager says is active; 0 when none.
WId ActiveWindow();
// The managed windows from the top of the stack down.
QList<WId> StackTopFirst();
// Minimises the window as its title bar button would.
bool Minimise(WId window);
