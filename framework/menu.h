#pragma once
// Menus as a tree of named items. A bar is shown by the window it is attached
// to; its shortcuts work in every window of the program. Choosing an item
// runs the front window's handler for its name, else the application's.
#include <QAction>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

class QMainWindow;
class QMenu;

namespace fw {

class MenuItem {
 public:
  MenuItem() = default;
  virtual ~MenuItem();
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  QString Name;
  QString Text;
  // "Cmd+" and a key character; Cmd is the Control key here. "" for none.
  QString KeyboardShortcut;
  bool AutoEnable = false;

  bool Enabled() const { return enabled_; }
  void Enable() { SetEnabled(true); }
  void SetEnabled(bool enabled);
  bool IsSeparator() const { return Text == QStringLiteral("-"); }

  void Append(std::unique_ptr<MenuItem> item);
  int Count() const { return static_cast<int>(children_.size()); }
  MenuItem* Item(int index) const { return children_.at(index).get(); }
  MenuItem* Parent() const { return parent_; }
  // The direct child of that name, or nullptr.
  MenuItem* Child(const QString& name) const;
  // The item of that name anywhere below this one, or nullptr.
  MenuItem* Lookup(const QString& name) const;

  QAction* Action() const { return action_; }

 private:
  friend class MenuBar;
  std::vector<std::unique_ptr<MenuItem>> children_;
  MenuItem* parent_ = nullptr;
  QAction* action_ = nullptr;
  bool enabled_ = true;
};

// The item whose choice quits the program.
class QuitMenuItem : public MenuItem {};
// The item that names the program's About command.
class AppleMenuItem : public MenuItem {};

class MenuBar : public MenuItem {
 public:
  ~MenuBar() override;
  // Shows the bar in the window and makes its shortcuts work program-wide.
  void AttachTo(QMainWindow& window);
  // The enabling pass: every item off but the quit item and the edit items
  // the focused text field can serve; then the application's EnableMenuItems
  // and every item it has a handler for; then the same for the front window.
  void UpdateEnabling();
  // What choosing the item does (also what its shortcut does).
  void Dispatch(MenuItem& item);

 private:
  void MakeActions(MenuItem& item);
  QMenu* MakeMenu(MenuItem& menu, QWidget* parent);
  std::vector<QPointer<QAction>> actions_;
};

}  // namespace fw
