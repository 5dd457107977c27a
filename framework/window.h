#pragma once
// A window built from a stored layout: its own properties, then its controls
// in stacking order, then its menu handlers, then the Open events. Each window
// class has one implicit instance, reached through Implicit<T>(); the class
// names its layout with a static StoredLayout(), read once per window.
#include <QHash>
#include <QJsonObject>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "framework/control.h"
#include "framework/menu_handlers.h"

class QMainWindow;
class QWidget;

namespace fw {

class MenuBar;
class WindowWidget;

class Window : public QObject {
 public:
  ~Window() override;

  // The open window of class T, or a new one, built and opened.
  template <class T>
  static T* Implicit();
  // Open windows, oldest first.
  static std::vector<Window*> OpenWindows();
  // The program's front window: the active one, else the last one activated.
  static Window* Front();

  QString Title() const;
  void SetTitle(const QString& title);
  int Width() const;
  int Height() const;
  int Left() const;
  int Top() const;
  bool Resizeable() const { return resizeable_; }
  QSize MinimumSize() const;
  // Shows the window, back from minimised if it was, on top and active.
  void Show();
  // Closes the window as the close box does: the window's Close event runs,
  // then its controls', then the window is gone.
  void CloseWindow();
  bool IsOpen() const { return open_; }

  // The window's own menu bar, or nullptr.
  MenuBar* GetMenuBar() const { return menuBar_; }
  void SetMenuBar(MenuBar* bar);
  // The bar the window shows: its own, else, while it keeps the menu bar
  // shown, the application's.
  MenuBar* ShownMenuBar() const;

  Control* FindControl(const QString& name) const;
  template <class C>
  C& ControlByName(const QString& name) const {
    Control* control = FindControl(name);
    if (!control) throw std::logic_error("no control named " + name.toStdString());
    return ControlAs<C>(*control);
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  void AddMenuHandler(const QString& itemName, std::function<bool()> handler);
  bool HasMenuHandler(const QString& itemName) const;
  // Runs the handler for the item; false when this window has none.
  bool RunMenuHandler(const QString& itemName);
  void RaiseEnableMenuItems() { EnableMenuItems(); }

  // Pushes the default button; false when the window has none.
  bool PushDefaultButton();
  void UpdateControlVisibility(Control& control);
  void UpdatePageVisibility();

  QMainWindow* Widget() const;
  QWidget* Content() const;

  // Called by the window's widget; not for program code.
  void HandleCloseRequest();
  void HandleResize();
  void HandlePaint() { Paint(); }
  void HandleActivated();
  // Return that no widget used: the default button's, unless the focused
  // control takes Return itself. False when it is left alone.
  bool HandleReturn();

  // Attaches a window method as the handler of a control's event; the method
  // gets the control as its first argument (`me`).
  template <class W, class C, class R, class... A>
  void InstallEventHandler(C& control, const QString& event, R (W::*method)(C&, A...)) {
    W* self = static_cast<W*>(this);
    C* me = &control;
    control.InstallHandler(event, std::function<R(A...)>([self, me, method](A... args) {
                             return (self->*method)(*me, args...);
                           }));
  }

 protected:
  Window();

  // The build sequence's events and the window's other events. By default
  // Layout applies the stored window properties and CreateControls builds
  // every stored control (CreateControls0); a window that sets more first
  // does so and then calls these.
  virtual void Layout();
  virtual void CreateControls() { CreateControls0(); }
  virtual void CreateControls0();
  virtual void AddMenuHandlers() {}
  virtual void Open() {}
  virtual void Close() {}
  virtual void Paint() {}
  virtual void EnableMenuItems() {}

  // A stored layout of the program, resources/layouts/<name>.json: the
  // window's property list under "Window", its controls under "Controls".
  static QJsonObject LoadLayout(const QString& name);
  // Called for each control after it is created and before its stored list
  // is applied, to set the texts that come from localizable constants.
  virtual void SetConstantTexts(Control&) {}
  virtual void AttachHandler(Control& control, const QString& event);

 private:
  void Build(const QJsonObject& layout);
  // Applies the window's stored property list.
  void SetProperties(const QJsonObject& properties);
  // Builds every stored control in order: create, add under its name, texts
  // from constants, the stored list, then the handlers the list names.
  void CreateStoredControls();
  static std::vector<Window*>& Registry();
  // The innermost control that holds the focus widget (a tab panel holds its
  // tab bar, a canvas the field lying on it), or nullptr.
  Control* FocusedControl() const;

  std::unique_ptr<WindowWidget> widget_;
  QJsonObject layout_;
  std::vector<std::unique_ptr<Control>> controls_;
  MenuHandlers menuHandlers_;
  MenuBar* menuBar_ = nullptr;
  bool visible_ = true;
  bool menuBarVisible_ = false;
  bool resizeable_ = false;
  bool open_ = false;
  QSize designSize_;
  int placement_ = 0;
};

template <class T>
T* Window::Implicit() {
  for (Window* window : Registry())
    if (auto* typed = dynamic_cast<T*>(window); typed && window->open_) return typed;
  // A layout that fails to build leaves no half-made window behind.
  auto window = std::unique_ptr<T>(new T());
  window->Build(T::StoredLayout());
  return window.release();
}

// Looks up a method by "Control_Event" to attach it; each window class keeps
// one such table.
template <class W>
using HandlerTable = QHash<QString, std::function<void(W&, Control&, const QString&)>>;

template <class W, class C, class R, class... A>
std::function<void(W&, Control&, const QString&)> Handler(R (W::*method)(C&, A...)) {
  return [method](W& window, Control& control, const QString& event) {
    window.InstallEventHandler(ControlAs<C>(control), event, method);
  };
}

}  // namespace fw
