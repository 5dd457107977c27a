#include "framework/window.h"

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLayout>
#include <QScreen>
#include <stdexcept>

#include "framework/control_factory.h"
#include "framework/menu.h"
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

void Window::Build() {
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
  widget_->raise();
  widget_->activateWindow();
}

void Window::CloseWindow() { widget_->close(); }

void Window::HandleCloseRequest() {
  if (!open_) return;
  open_ = false;
  auto& windows = Registry();
  windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
  for (const auto& control : controls_) control->Raise(QStringLiteral("Close"));
  Close();
  widget_->hide();
  deleteLater();
}

void Window::HandleActivated() {
  lastActivated = this;
  if (menuBar_) menuBar_->UpdateEnabling();
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

void Window::PushDefaultButton() {
  for (const auto& control : controls_)
    if (auto* button = dynamic_cast<PushButton*>(control.get()); button && button->Default) {
      button->Push();
      return;
    }
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

void Window::SetProperties(const QJsonObject& properties) {
  int width = 0, height = 0, minWidth = 0, minHeight = 0, maxWidth = 32000, maxHeight = 32000;
  bool closeButton = true, minimizeButton = true, maximizeButton = true;
  for (auto it = properties.begin(); it != properties.end(); ++it) {
    const QString& name = it.key();
    const QJsonValue& value = it.value();
    if (name == "Title")
      SetTitle(value.toString());
    else if (name == "Width")
      width = value.toInt();
    else if (name == "Height")
      height = value.toInt();
    else if (name == "MinWidth")
      minWidth = value.toInt();
    else if (name == "MinHeight")
      minHeight = value.toInt();
    else if (name == "MaxWidth")
      maxWidth = value.toInt();
    else if (name == "MaxHeight")
      maxHeight = value.toInt();
    else if (name == "Placement")
      placement_ = value.toInt();
    else if (name == "Visible")
      visible_ = value.toBool();
    else if (name == "CloseButton")
      closeButton = value.toBool();
    else if (name == "MinimizeButton")
      minimizeButton = value.toBool();
    else if (name == "MaximizeButton")
      maximizeButton = value.toBool();
    else if (name == "Resizeable")
      resizeable_ = value.toBool();
    // Kind 0 windows, compositing, live resizing, the menu bar staying shown,
    // no full screen, no background colour, no balloon help: what Qt does anyway.
    else if (QStringList{"Frame", "LiveResize", "Composite", "MenuBarVisible", "FullScreen",
                         "HasBackColor", "BackColor", "BalloonHelp", "MacProcId"}
                 .contains(name))
      continue;
    else
      throw std::logic_error("unknown window property " + name.toStdString());
  }
  designSize_ = QSize(width, height);
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (closeButton) flags |= Qt::WindowCloseButtonHint;
  if (minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
  if (maximizeButton && resizeable_) flags |= Qt::WindowMaximizeButtonHint;
  widget_->setWindowFlags(flags);
  if (resizeable_) {
    Content()->setMinimumSize(minWidth, minHeight);
    Content()->setMaximumSize(maxWidth, maxHeight);
    widget_->resize(width, height);
  } else {
    Content()->setFixedSize(width, height);
    widget_->layout()->setSizeConstraint(QLayout::SetFixedSize);
  }
}

void Window::CreateControlsFromLayout(const QJsonObject& layout) {
  for (const QJsonValue& entry : layout.value("Controls").toArray()) {
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
