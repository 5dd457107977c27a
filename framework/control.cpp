#include "framework/control.h"

#include <QEvent>
#include <QWidget>
#include <stdexcept>

#include "framework/window.h"

namespace fw {

Control::Control(Window& window, QWidget* widget) : window_(&window), widget_(widget) {
  widget_->installEventFilter(this);
}

Control::~Control() = default;

void Control::SetVisible(bool visible) {
  visible_ = visible;
  window_->UpdateControlVisibility(*this);
}

void Control::ApplyShown(bool pageShown) { widget_->setVisible(visible_ && pageShown); }

bool Control::Enabled() const { return enabled_; }

void Control::SetEnabled(bool enabled) {
  enabled_ = enabled;
  widget_->setEnabled(enabled);
}

QString Control::HelpTag() const { return widget_->toolTip(); }

void Control::SetHelpTag(const QString& tag) { widget_->setToolTip(tag); }

void Control::SetBounds(const QRect& bounds) {
  bounds_ = bounds;
  widget_->setGeometry(bounds);
}

void Control::SetProperty(const QString& name, const QJsonValue& value) {
  QRect r = bounds_;
  if (name == "Name")
    Name = value.toString();
  else if (name == "TabPanelIndex")
    TabPanelIndex = value.toInt();
  else if (name == "InitialParent")
    InitialParent = value.toString();
  else if (name == "Left")
    r.moveLeft(value.toInt());
  else if (name == "Top")
    r.moveTop(value.toInt());
  else if (name == "Width")
    r.setWidth(value.toInt());
  else if (name == "Height")
    r.setHeight(value.toInt());
  else if (name == "Visible")
    visible_ = value.toBool();
  else if (name == "Enabled")
    SetEnabled(value.toBool());
  else if (name == "AutoDeactivate")
    AutoDeactivate = value.toBool();
  else if (name == "HelpTag")
    SetHelpTag(value.toString());
  else if (name == "LockLeft")
    LockLeft = value.toBool();
  else if (name == "LockTop")
    LockTop = value.toBool();
  else if (name == "LockRight")
    LockRight = value.toBool();
  else if (name == "LockBottom")
    LockBottom = value.toBool();
  else if (name == "Class" || name == "Events")
    return;  // read by the window builder
  else
    throw std::logic_error("unknown property " + name.toStdString());
  if (r != bounds_) SetBounds(r);
}

void Control::InstallHandler(const QString& event, EventHandler handler) {
  handlers_.emplace_back(event, std::move(handler));
}

bool Control::HasHandler(const QString& event) const {
  for (const auto& [name, handler] : handlers_)
    if (name == event) return true;
  return false;
}

template <class F>
const F* Control::Find(const QString& event) const {
  for (const auto& [name, handler] : handlers_)
    if (name == event) return std::get_if<F>(&handler);
  return nullptr;
}

void Control::Raise(const QString& event) {
  if (auto* f = Find<std::function<void()>>(event)) (*f)();
}

bool Control::RaiseBool(const QString& event, int x, int y) {
  if (auto* f = Find<std::function<bool(int, int)>>(event)) return (*f)(x, y);
  return false;
}

void Control::RaiseXY(const QString& event, int x, int y) {
  if (auto* f = Find<std::function<void(int, int)>>(event)) (*f)(x, y);
}

bool Control::RaiseKey(const QString& event, const QString& key) {
  if (auto* f = Find<std::function<bool(const QString&)>>(event)) return (*f)(key);
  return false;
}

void Control::RaiseDrop(const DragItem& item, int action) {
  if (auto* f = Find<std::function<void(const DragItem&, int)>>("DropObject")) (*f)(item, action);
}

bool Control::eventFilter(QObject*, QEvent*) { return false; }

}  // namespace fw
