#pragma once
// The application object: one per run. The framework raises its Open event
// when the event loop starts, and its EnableMenuItems in every enabling pass.
#include <QString>
#include <functional>

#include "framework/menu_handlers.h"

namespace fw {

class MenuBar;

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The registered application object, or nullptr before registration.
  static Application* Instance();

  MenuBar* GetMenuBar() const { return menuBar_; }
  void SetMenuBar(MenuBar* bar) { menuBar_ = bar; }

  void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
  bool HasMenuHandler(const QString& itemName) const;
  bool RunMenuHandler(const QString& itemName);

  void RaiseOpen() { Open(); }
  void RaiseEnableMenuItems() { EnableMenuItems(); }
  // Brings the program in front of other programs' windows.
  void SetFrontmost(bool front);

 protected:
  virtual void Open() {}
  virtual void EnableMenuItems() {}

 private:
  friend void RuntimeRegisterAppObject(Application* app);
  MenuBar* menuBar_ = nullptr;
  MenuHandlers menuHandlers_;
};

// Ends the run with `status`. The run is quitting from this moment: a new
// start no longer hands over to it. The event loop returns at once, or, while
// a window closes, once it has closed, so that a box its closing shows still
// waits for an answer.
void Quit(int status = 0);
// Held while windows close: a Quit meanwhile ends the loop when the last hold goes.
class ClosingWindows {
 public:
  ClosingWindows();
  ~ClosingWindows();
  ClosingWindows(const ClosingWindows&) = delete;
  ClosingWindows& operator=(const ClosingWindows&) = delete;
};
// Whether Quit was called (tests run no event loop to end), and with which status.
bool QuitRequested();
int QuitStatus();
// What the quit menu item does: quits, then closes the windows as their close
// boxes do, newest first, before the loop ends.
void QuitMenuAction();
// The same for a run that ends without the user (the end of the session, a
// copy stepping back): boxes waiting for an answer go without one, and a
// message that closing the windows raises goes to standard error.
void QuitUnattended();

}  // namespace fw
