#pragma once
#include "framework/control.h"
#include "framework/font_properties.h"

class QPushButton;

namespace fw {

class PushButton : public Control {
 public:
  explicit PushButton(Window& window);
  bool Default = false;
  bool Cancel = false;
  QString Caption() const;
  void SetCaption(const QString& caption);
  // Raises Action before it returns, as a click would.
  void Push();
  void SetProperty(const QString& name, const QJsonValue& value) override;

 private:
  QPushButton* button_;
  FontProperties font_;
};

}  // namespace fw
