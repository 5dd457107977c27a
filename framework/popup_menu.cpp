#include "framework/popup_menu.h"

#include <QComboBox>

#include "framework/property_table.h"
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
  using Table = PropertyTable<PopupMenu>;
  static const Table kProperties{
      {"InitialValue",
       [](PopupMenu& p, const QJsonValue& v) {
         p.combo_->clear();
         p.combo_->addItems(v.toString().split(QChar('\r')));
       }},
      {"ListIndex",
       [](PopupMenu& p, const QJsonValue& v) { p.combo_->setCurrentIndex(v.toInt()); }},
      // No control is bound to data.
      {"DataSource", Table::Ignored},
      {"DataField", Table::Ignored},
  };
  if (font_.Set(name, value))
    font_.ApplyTo(*combo_);
  else if (!kProperties.Apply(*this, name, value))
    Control::SetProperty(name, value);
}

}  // namespace fw
