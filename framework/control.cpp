#include "framework/control.h"

#include <QEvent>
#include <QToolTip>
#include <QWidget>
#include <stdexcept>

#include "framework/property_table.h"
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

void Control::SetHelpTag(const QString& tag) {
  const QString shown = widget_->toolTip();
  widget_->setToolTip(tag);
  // Qt updates a shown tip to a new text, but an empty one leaves the old tip
  // up until its timer runs out: take it down with the tag.
  if (tag.isEmpty() && !shown.isEmpty() && QToolTip::isVisible() && QToolTip::text() == shown)
    QToolTip::hideText();
}

void Control::SetBounds(const QRect& bounds) {
  bounds_ = bounds;
  widget_->setGeometry(bounds);
}

void Control::SetProperty(const QString& name, const QJsonValue& value) {
  using Table = PropertyTable<Control>;
  static const Table kProperties{
      {"Name", [](Control& c, const QJsonValue& v) { c.Name = v.toString(); }},
      {"TabPanelIndex", [](Control& c, const QJsonValue& v) { c.TabPanelIndex = v.toInt(); }},
      {"InitialParent", [](Control& c, const QJsonValue& v) { c.InitialParent = v.toString(); }},
      {"Left",
       [](Control& c, const QJsonValue& v) {
         c.SetBounds(c.bounds_.translated(v.toInt() - c.bounds_.x(), 0));
       }},
      {"Top",
       [](Control& c, const QJsonValue& v) {
         c.SetBounds(c.bounds_.translated(0, v.toInt() - c.bounds_.y()));
       }},
      {"Width",
       [](Control& c, const QJsonValue& v) {
         c.SetBounds(QRect(c.bounds_.topLeft(), QSize(v.toInt(), c.bounds_.height())));
       }},
      {"Height",
       [](Control& c, const QJsonValue& v) {
         c.SetBounds(QRect(c.bounds_.topLeft(), QSize(c.bounds_.width(), v.toInt())));
       }},
      // Whether the widget shows also depends on its page, which the window
      // applies once every control is built.
      {"Visible", [](Control& c, const QJsonValue& v) { c.visible_ = v.toBool(); }},
      {"Enabled", [](Control& c, const QJsonValue& v) { c.SetEnabled(v.toBool()); }},
      {"AutoDeactivate", [](Control& c, const QJsonValue& v) { c.AutoDeactivate = v.toBool(); }},
      {"HelpTag", [](Control& c, const QJsonValue& v) { c.SetHelpTag(v.toString()); }},
      {"LockLeft", [](Control& c, const QJsonValue& v) { c.LockLeft = v.toBool(); }},
      {"LockTop", [](Control& c, const QJsonValue& v) { c.LockTop = v.toBool(); }},
      {"LockRight", [](Control& c, const QJsonValue& v) { c.LockRight = v.toBool(); }},
      {"LockBottom", [](Control& c, const QJsonValue& v) { c.LockBottom = v.toBool(); }},
      // Read by the window builder.
      {"Class", Table::Ignored},
      {"Events", Table::Ignored},
  };
  if (!kProperties.Apply(*this, name, value))
    throw std::logic_error("unknown property " + name.toStdString());
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
