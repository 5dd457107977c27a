#include "framework/slider.h"

#include <QSlider>

#include "framework/property_table.h"
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
  static const PropertyTable<Slider> kProperties{
      {"Minimum", [](Slider& s, const QJsonValue& v) { s.slider_->setMinimum(v.toInt()); }},
      {"Maximum", [](Slider& s, const QJsonValue& v) { s.slider_->setMaximum(v.toInt()); }},
      {"Value", [](Slider& s, const QJsonValue& v) { s.slider_->setValue(v.toInt()); }},
      {"LineStep", [](Slider& s, const QJsonValue& v) { s.slider_->setSingleStep(v.toInt()); }},
      {"PageStep", [](Slider& s, const QJsonValue& v) { s.slider_->setPageStep(v.toInt()); }},
      {"LiveScroll", [](Slider& s, const QJsonValue& v) { s.slider_->setTracking(v.toBool()); }},
  };
  if (!kProperties.Apply(*this, name, value)) Control::SetProperty(name, value);
}

}  // namespace fw
