#include "framework/popup_menu.h"

#include <QComboBox>

#include "framework/window.h"

namespace fw {

PopupMenu::PopupMenu(Window& window)
    : Control(window, new QComboBox(window.Content())), combo_(static_cast<QComboBox*>(Widget())) {
  QObject::connect(combo_, &QComboBox::currentIndexChanged, this,
                   [this] { Raise(QStringLiteral("Change")); });
}

int PopupMenu::ListIndex() const { return combo_->currentIndex(); }
int PopupMenu::ListCount() const { return combo_->count(); }
QString PopupMenu::List(int index) const { return combo_->itemText(index); }

void PopupMenu::SetProperty(const QString& name, const QJsonValue& value) {
  if (font_.Set(name, value))
    font_.ApplyTo(*combo_);
  else if (name == "InitialValue") {
    combo_->clear();
    combo_->addItems(value.toString().split(QChar('\r')));
  } else if (name == "ListIndex")
    combo_->setCurrentIndex(value.toInt());
  else if (name == "DataSource" || name == "DataField")
    return;
  else
    Control::SetProperty(name, value);
}

}  // namespace fw
