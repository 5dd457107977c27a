#include "framework/push_button.h"

#include <QPushButton>

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
  if (font_.Set(name, value))
    font_.ApplyTo(*button_);
  else if (name == "Caption")
    SetCaption(value.toString());
  else if (name == "Default") {
    Default = value.toBool();
    button_->setDefault(Default);
  } else if (name == "Cancel")
    Cancel = value.toBool();
  else
    Control::SetProperty(name, value);
}

}  // namespace fw
