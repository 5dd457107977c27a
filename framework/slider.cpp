#include "framework/slider.h"

#include <QSlider>

#include "framework/window.h"

namespace fw {

Slider::Slider(Window& window)
    : Control(window, new QSlider(Qt::Horizontal, window.Content())),
      slider_(static_cast<QSlider*>(Widget())) {
  QObject::connect(slider_, &QSlider::valueChanged, this,
                   [this] { Raise(QStringLiteral("ValueChanged")); });
}

int Slider::Value() const { return slider_->value(); }
void Slider::SetValue(int value) { slider_->setValue(value); }
int Slider::Minimum() const { return slider_->minimum(); }
int Slider::Maximum() const { return slider_->maximum(); }

void Slider::SetProperty(const QString& name, const QJsonValue& value) {
  if (name == "Minimum")
    slider_->setMinimum(value.toInt());
  else if (name == "Maximum")
    slider_->setMaximum(value.toInt());
  else if (name == "Value")
    slider_->setValue(value.toInt());
  else if (name == "LineStep")
    slider_->setSingleStep(value.toInt());
  else if (name == "PageStep")
    slider_->setPageStep(value.toInt());
  else if (name == "LiveScroll")
    slider_->setTracking(value.toBool());
  else
    Control::SetProperty(name, value);
}

}  // namespace fw
