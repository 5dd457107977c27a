#include "framework/window.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLayout>
#include <QScreen>
#include <optional>
#include <stdexcept>

#include "framework/application.h"
#include "framework/control_factory.h"
#include "framework/frontmost.h"
#include "framework/menu.h"
#include "framework/property_table.h"
#include "framework/push_button.h"
#include "framework/tab_panel.h"
#include "framework/window_widget.h"

namespace fw {
namespace {
Window* lastActivated = nullptr;
}

std::vector<Window*>& Window::Registry() {
  static std::vector<Window*> windows;
  return windows;
}

std::vector<Window*> Window::OpenWindows() { return Registry(); }

Window* Window::Front() {
  for (Window* window : Registry())
    if (window->widget_->isActiveWindow()) return window;
  for (Window* window : Registry())
    if (window == lastActivated) return window;
  return Registry().empty() ? nullptr : Registry().back();
}

Window::Window() : widget_(std::make_unique<WindowWidget>(*this)) {}

Window::~Window() {
  auto& windows = Registry();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  if (lastActivated == this) lastActivated = nullptr;
  controls_.clear();
}

QMainWindow* Window::Widget() const { return widget_.get(); }
QWidget* Window::Content() const { return widget_->Content(); }

QString Window::Title() const { return widget_->windowTitle(); }
void Window::SetTitle(const QString& title) { widget_->setWindowTitle(title); }
int Window::Width() const { return Content()->width(); }
int Window::Height() const { return Content()->height(); }
int Window::Left() const { return widget_->mapToGlobal(Content()->pos()).x(); }
int Window::Top() const { return widget_->mapToGlobal(Content()->pos()).y(); }
QSize Window::MinimumSize() const { return Content()->minimumSize(); }

void Window::Build(const QJsonObject& layout) {
  layout_ = layout;
  Layout();
  CreateControls();
  AddMenuHandlers();
  for (const auto& control : controls_) control->Raise(QStringLiteral("Open"));
  Open();
  open_ = true;
  Registry().push_back(this);
  if (visible_) Show();
}

void Window::Show() {
  if (!widget_->isVisible()) {
    widget_->show();
    if (placement_ == 2) {
      // Centred on the screen, as the About window expects. move() places the
      // frame, so centre the frame, not the client area.
      const QRect screen = widget_->screen()->availableGeometry();
      const QRect frame = widget_->frameGeometry();
      widget_->move(screen.center() - (frame.center() - frame.topLeft()));
    }
  }
  BringBackFromMinimised(*widget_);
  widget_->raise();
  widget_->activateWindow();
}

void Window::CloseWindow() { widget_->close(); }

void Window::HandleCloseRequest() {
  if (!open_) return;
  open_ = false;
  auto& windows = Registry();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  // The window's own Close comes first: a window whose closing quits makes
  // the run quitting before its controls store anything, and perhaps wait on
  // a box.
  ClosingWindows closing;
  Close();
  for (const auto& control : controls_) control->Raise(QStringLiteral("Close"));
  widget_->hide();
  deleteLater();
}

void Window::HandleActivated() {
  lastActivated = this;
  if (MenuBar* bar = ShownMenuBar()) bar->UpdateEnabling();
}

MenuBar* Window::ShownMenuBar() const {
  if (menuBar_ || !menuBarVisible_) return menuBar_;
  Application* app = Application::Instance();
  return app ? app->GetMenuBar() : nullptr;
}

void Window::SetMenuBar(MenuBar* bar) {
  menuBar_ = bar;
  if (bar) bar->AttachTo(*widget_);
}

Control* Window::FindControl(const QString& name) const {
  for (const auto& control : controls_)
    if (control->Name == name) return control.get();
  return nullptr;
}

void Window::AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
  menuHandlers_.Add(itemName, std::move(handler));
}

bool Window::HasMenuHandler(const QString& itemName) const { return menuHandlers_.Has(itemName); }

bool Window::RunMenuHandler(const QString& itemName) { return menuHandlers_.Run(itemName); }

bool Window::PushDefaultButton() {
  for (const auto& control : controls_)
    if (auto* button = dynamic_cast<PushButton*>(control.get()); button && button->Default) {
      button->Push();
      return true;
    }
  return false;
}

Control* Window::FocusedControl() const {
  for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget())
    for (const auto& control : controls_)
      if (control->Widget() == widget) return control.get();
  return nullptr;
}

bool Window::HandleReturn() {
  if (const Control* focused = FocusedControl(); focused && focused->TakesReturn()) return false;
  return PushDefaultButton();
}

void Window::UpdateControlVisibility(Control& control) {
  bool pageShown = true;
  if (control.TabPanelIndex > 0)
    if (auto* panel = dynamic_cast<TabPanel*>(FindControl(control.InitialParent)))
      pageShown = panel->Value() == control.TabPanelIndex - 1;
  control.ApplyShown(pageShown);
}

void Window::UpdatePageVisibility() {
  for (const auto& control : controls_) UpdateControlVisibility(*control);
}

QJsonObject Window::LoadLayout(const QString& name) {
  QFile file(QStringLiteral(":/resources/layouts/%1.json").arg(name));
  if (!file.open(QIODevice::ReadOnly)) throw std::logic_error("no layout " + name.toStdString());
  QJsonParseError error;
  const QJsonDocument json = QJsonDocument::fromJson(file.readAll(), &error);
  if (!json.isObject()) throw std::logic_error("bad layout " + name.toStdString());
  return json.object();
}

namespace {

// A window's stored properties as read, applied once all are known.
struct StoredWindow {
  std::optional<QString> title;
  int width = 0, height = 0, minWidth = 0, minHeight = 0, maxWidth = 32000, maxHeight = 32000;
  int placement = 0;
  bool visible = true, resizeable = false, menuBarVisible = false;
  bool closeButton = true, minimizeButton = true, maximizeButton = true;
};

StoredWindow ReadStoredWindow(const QJsonObject& properties) {
  using Table = PropertyTable<StoredWindow>;
  static const Table kProperties{
      {"Title", [](StoredWindow& w, const QJsonValue& v) { w.title = v.toString(); }},
      {"Width", [](StoredWindow& w, const QJsonValue& v) { w.width = v.toInt(); }},
      {"Height", [](StoredWindow& w, const QJsonValue& v) { w.height = v.toInt(); }},
      {"MinWidth", [](StoredWindow& w, const QJsonValue& v) { w.minWidth = v.toInt(); }},
      {"MinHeight", [](StoredWindow& w, const QJsonValue& v) { w.minHeight = v.toInt(); }},
      {"MaxWidth", [](StoredWindow& w, const QJsonValue& v) { w.maxWidth = v.toInt(); }},
      {"MaxHeight", [](StoredWindow& w, const QJsonValue& v) { w.maxHeight = v.toInt(); }},
      {"Placement", [](StoredWindow& w, const QJsonValue& v) { w.placement = v.toInt(); }},
      {"Visible", [](StoredWindow& w, const QJsonValue& v) { w.visible = v.toBool(); }},
      {"Resizeable", [](StoredWindow& w, const QJsonValue& v) { w.resizeable = v.toBool(); }},
      {"CloseButton", [](StoredWindow& w, const QJsonValue& v) { w.closeButton = v.toBool(); }},
      {"MinimizeButton",
       [](StoredWindow& w, const QJsonValue& v) { w.minimizeButton = v.toBool(); }},
      {"MaximizeButton",
       [](StoredWindow& w, const QJsonValue& v) { w.maximizeButton = v.toBool(); }},
      // Kind 0 windows, compositing, live resizing, no full screen, no background colour, no
      // balloon help: what Qt does anyway.
      {"Frame", Table::Ignored},
      {"LiveResize", Table::Ignored},
      {"Composite", Table::Ignored},
      {"MenuBarVisible",
       [](StoredWindow& w, const QJsonValue& v) { w.menuBarVisible = v.toBool(); }},
      {"FullScreen", Table::Ignored},
      {"HasBackColor", Table::Ignored},
      {"BackColor", Table::Ignored},
      {"BalloonHelp", Table::Ignored},
      {"MacProcId", Table::Ignored},
  };
  StoredWindow stored;
  for (auto it = properties.begin(); it != properties.end(); ++it)
    if (!kProperties.Apply(stored, it.key(), it.value()))
      throw std::logic_error("unknown window property " + it.key().toStdString());
  return stored;
}

}  // namespace

void Window::SetProperties(const QJsonObject& properties) {
  const StoredWindow stored = ReadStoredWindow(properties);
  if (stored.title) SetTitle(*stored.title);
  placement_ = stored.placement;
  visible_ = stored.visible;
  menuBarVisible_ = stored.menuBarVisible;
  // A window that keeps the menu bar shown but has none of its own shows the
  // program's: there is no one bar at the top of the screen here.
  if (menuBarVisible_ && !menuBar_)
    if (MenuBar* programs = ShownMenuBar()) programs->AttachTo(*widget_);
  resizeable_ = stored.resizeable;
  designSize_ = QSize(stored.width, stored.height);
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (stored.closeButton) flags |= Qt::WindowCloseButtonHint;
  if (stored.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (stored.maximizeButton && resizeable_) flags |= Qt::WindowMaximizeButtonHint;
  widget_->setWindowFlags(flags);
  if (resizeable_) {
    Content()->setMinimumSize(stored.minWidth, stored.minHeight);
    Content()->setMaximumSize(stored.maxWidth, stored.maxHeight);
    // The stored size is the content's; the menu bar comes on top of it.
    const QWidget* bar = widget_->menuWidget();
    widget_->resize(stored.width, stored.height + (bar ? bar->heightForWidth(stored.width) : 0));
  } else {
    Content()->setFixedSize(stored.width, stored.height);
    widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
}

void Window::Layout() { SetProperties(layout_.value("Window").toObject()); }

void Window::CreateControls0() { CreateStoredControls(); }

void Window::CreateStoredControls() {
  for (const QJsonValue& entry : layout_.value("Controls").toArray()) {
    const QJsonObject stored = entry.toObject();
    std::unique_ptr<Control> created = CreateControl(stored, *this);
    Control& control = *created;
    control.Name = stored.value("Name").toString();
    if (FindControl(control.Name))
      throw std::logic_error("two controls named " + control.Name.toStdString());
    controls_.push_back(std::move(created));
    control.Widget()->raise();  // stacking order is creation order
    SetConstantTexts(control);
    for (auto it = stored.begin(); it != stored.end(); ++it)
      control.SetProperty(it.key(), it.value());
    // Tab, Space and the first focus never land on a control that lies wholly
    // outside the window, where nobody can see it (a hidden default button).
    if (!QRect(QPoint(0, 0), designSize_).intersects(control.Bounds()))
      control.Widget()->setFocusPolicy(Qt::NoFocus);
    for (const QJsonValue& event : stored.value("Events").toArray())
      AttachHandler(control, event.toString());
  }
  UpdatePageVisibility();
}

void Window::AttachHandler(Control& control, const QString& event) {
  throw std::logic_error("no handler for " + control.Name.toStdString() + "_" +
                         event.toStdString());
}

void Window::HandleResize() {
  if (!designSize_.isValid() || controls_.empty()) return;
  const int dw = Content()->width() - designSize_.width();
  const int dh = Content()->height() - designSize_.height();
  for (const auto& control : controls_) {
    if (!(control->LockRight || control->LockBottom)) continue;
    const QRect design = control->Bounds();
    QRect now = design;
    if (control->LockRight) {
      if (control->LockLeft)
        now.setWidth(design.width() + dw);
      else
        now.moveLeft(design.left() + dw);
    }
    if (control->LockBottom) {
      if (control->LockTop)
        now.setHeight(design.height() + dh);
      else
        now.moveTop(design.top() + dh);
    }
    control->Widget()->setGeometry(now);
  }
}

}  // namespace fw
