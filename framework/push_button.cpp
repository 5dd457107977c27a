#include "framework/push_button.h"

#include <QPushButton>

#include "framework/property_table.h"
#include "framework/window.h"

namespace fw {

PushButton::PushButton(Window& window)
    : Control(window, new QPushButton(window.Content())),
      button_(static_cast<QPushButton*>(Widget())) {
  button_->setAutoDefault(false);
  QObject::connect(button_, &QPushButton::clicked, this,
                   [this] { Raise(QStringLiteral("Action")); });
}

QString PushButton::Caption() const { return button_->text(); }
void PushButton::SetCaption(const QString& caption) { button_->setText(caption); }

void PushButton::Push() { Raise(QStringLiteral("Action")); }

void PushButton::SetProperty(const QString& name, const QJsonValue& value) {
  static const PropertyTable<PushButton> kProperties{
      {"Caption", [](PushButton& b, const QJsonValue& v) { b.SetCaption(v.toString()); }},
      {"Default",
       [](PushButton& b, const QJsonValue& v) {
         b.Default = v.toBool();
         b.button_->setDefault(b.Default);
       }},
      {"Cancel", [](PushButton& b, const QJsonValue& v) { b.Cancel = v.toBool(); }},
  };
  if (font_.Set(name, value))
    font_.ApplyTo(*button_);
  else if (!kProperties.Apply(*this, name, value))
    Control::SetProperty(name, value);
}

}  // namespace fw
