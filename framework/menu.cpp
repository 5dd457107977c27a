#include "framework/menu.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "framework/application.h"
#include "framework/edit_commands.h"
#include "framework/window.h"

namespace fw {
namespace {

QList<QKeySequence> ShortcutsFor(const QString& text) {
  if (!text.startsWith(QStringLiteral("Cmd+"))) return {};
  const QString key = text.mid(4);
  QList<QKeySequence> keys{QKeySequence(QStringLiteral("Ctrl+") + key)};
  // "?" needs Shift on most layouts; accept the shifted form as well.
  if (key == QStringLiteral("?")) keys << QKeySequence(QStringLiteral("Ctrl+Shift+?"));
  return keys;
}

}  // namespace

MenuItem::~MenuItem() = default;

void MenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (action_) action_->setEnabled(enabled);
}

void MenuItem::Append(std::unique_ptr<MenuItem> item) {
  item->parent_ = this;
  children_.push_back(std::move(item));
}

MenuItem* MenuItem::Child(const QString& name) const {
  for (const auto& child : children_)
    if (child->Name == name) return child.get();
  return nullptr;
}

MenuItem* MenuItem::Lookup(const QString& name) const {
  for (const auto& child : children_) {
    if (child->Name == name) return child.get();
    if (MenuItem* found = child->Lookup(name)) return found;
  }
  return nullptr;
}

MenuBar::~MenuBar() {
  for (const QPointer<QAction>& action : actions_) delete action.data();
}

void MenuBar::MakeActions(MenuItem& item) {
  for (const auto& child : item.children_) {
    if (child->Count() == 0 && !child->action_) {
      // A separator is a line: Qt's style would draw its "-" beside it.
      auto* action = new QAction(child->IsSeparator() ? QString() : child->Text, qApp);
      action->setObjectName(child->Name);
      action->setSeparator(child->IsSeparator());
      action->setShortcuts(ShortcutsFor(child->KeyboardShortcut));
      action->setShortcutContext(Qt::ApplicationShortcut);
      MenuItem* target = child.get();
      QObject::connect(action, &QAction::triggered, action, [this, target] { Dispatch(*target); });
      child->action_ = action;
      actions_.push_back(action);
    }
    MakeActions(*child);
  }
}

QMenu* MenuBar::MakeMenu(MenuItem& menu, QWidget* parent) {
  auto* qmenu = new QMenu(menu.Text, parent);
  qmenu->setObjectName(menu.Name);
  QObject::connect(qmenu, &QMenu::aboutToShow, qmenu, [this] { UpdateEnabling(); });
  for (const auto& child : menu.children_) {
    if (child->Count() > 0)
      qmenu->addMenu(MakeMenu(*child, qmenu));
    else
      qmenu->addAction(child->action_);
  }
  return qmenu;
}

void MenuBar::AttachTo(QMainWindow& window) {
  MakeActions(*this);
  auto* bar = new QMenuBar(&window);
  for (const auto& menu : children_) bar->addMenu(MakeMenu(*menu, bar));
  window.setMenuBar(bar);
  static bool watching = false;
  if (!watching) {
    watching = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [this] { UpdateEnabling(); });
  }
  UpdateEnabling();
}

void MenuBar::UpdateEnabling() {
  // Before the application object exists and after it is gone (start and end
  // of the run) there is nobody to ask.
  if (!Application::Instance()) return;
  std::vector<MenuItem*> items;
  auto collect = [&](auto&& self, const MenuItem& parent) -> void {
    for (const auto& child : parent.children_) {
      if (child->Count() == 0) items.push_back(child.get());
      self(self, *child);
    }
  };
  collect(collect, *this);
  for (MenuItem* item : items)
    item->SetEnabled(dynamic_cast<QuitMenuItem*>(item) || CanPerformEditCommand(item->Name));
  auto enableHandled = [&](auto hasHandler) {
    for (MenuItem* item : items)
      if (item->AutoEnable && hasHandler(item->Name)) item->Enable();
  };
  if (Application* app = Application::Instance()) {
    app->RaiseEnableMenuItems();
    enableHandled([app](const QString& name) { return app->HasMenuHandler(name); });
  }
  if (Window* front = Window::Front()) {
    front->RaiseEnableMenuItems();
    enableHandled([front](const QString& name) { return front->HasMenuHandler(name); });
  }
}

void MenuBar::Dispatch(MenuItem& item) {
  UpdateEnabling();
  if (!item.Enabled()) return;
  const QString name = item.Name;
  if (Window* front = Window::Front(); front && front->RunMenuHandler(name)) return;
  if (Application* app = Application::Instance(); app && app->RunMenuHandler(name)) return;
  if (dynamic_cast<QuitMenuItem*>(&item)) {
    QuitMenuAction();
    return;
  }
  PerformEditCommand(name);
}

}  // namespace fw
