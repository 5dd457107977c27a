#pragma once
#include "framework/control.h"

class QSlider;

namespace fw {

class Slider : public Control {
 public:
  explicit Slider(Window& window);
  int Value() const;
  void SetValue(int value);
  int Minimum() const;
  int Maximum() const;
  void SetProperty(const QString& name, const QJsonValue& value) override;

 private:
  QSlider* slider_;
};

}  // namespace fw
