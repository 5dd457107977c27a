#pragma once
// A control of a window: a Qt widget plus the properties and events the
// windows are designed with. Handlers are attached by event name.
#include <QJsonValue>
#include <QObject>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <variant>

#include "framework/drag_item.h"

class QWidget;

namespace fw {

class Window;

using EventHandler =
    std::variant<std::function<void()>, std::function<bool(int, int)>,
                 std::function<void(int, int)>, std::function<bool(const QString&)>,
                 std::function<void(const DragItem&, int)>>;

class Control : public QObject {
 public:
  ~Control() override;

  QString Name;
  int TabPanelIndex = 0;
  QString InitialParent;
  bool LockLeft = false, LockTop = false, LockRight = false, LockBottom = false;
  bool AutoDeactivate = true;

  QWidget* Widget() const { return widget_; }
  Window& ParentWindow() const { return *window_; }

  // Visible is the control's own flag; whether it shows also depends on the
  // selected page of its tab panel.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  QString HelpTag() const;
  void SetHelpTag(const QString& tag);
  int Left() const { return bounds_.x(); }
  int Top() const { return bounds_.y(); }
  int Width() const { return bounds_.width(); }
  int Height() const { return bounds_.height(); }
  // The designed rectangle in window content coordinates.
  QRect Bounds() const { return bounds_; }
  void SetBounds(const QRect& bounds);

  // Whether Return typed while the control has the focus is the control's
  // own; otherwise it goes on to the window's default button.
  virtual bool TakesReturn() const { return false; }

  // One stored property; unknown names are a design error and throw.
  virtual void SetProperty(const QString& name, const QJsonValue& value);

  void InstallHandler(const QString& event, EventHandler handler);
  bool HasHandler(const QString& event) const;
  // Raise an event; without a handler, the event does nothing and a Boolean
  // event answers false, letting the control's own handling go on.
  void Raise(const QString& event);
  bool RaiseBool(const QString& event, int x, int y);
  void RaiseXY(const QString& event, int x, int y);
  bool RaiseKey(const QString& event, const QString& key);
  void RaiseDrop(const DragItem& item, int action);

 protected:
  Control(Window& window, QWidget* widget);
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Applies the tab-page rule and the own flag to the widget.
  friend class Window;
  void ApplyShown(bool pageShown);

 private:
  template <class F>
  const F* Find(const QString& event) const;

  Window* window_;
  QWidget* widget_;
  QRect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  std::vector<std::pair<QString, EventHandler>> handlers_;
};

// A checked downcast; a control of another class than the code expects is a
// programming error.
template <class C>
C& ControlAs(Control& control) {
  auto* typed = dynamic_cast<C*>(&control);
  if (!typed)
    throw std::logic_error("control " + control.Name.toStdString() +
                           " is not of the expected class");
  return *typed;
}

}  // namespace fw
