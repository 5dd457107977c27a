#include "framework/static_text.h"

#include <QLabel>

#include "framework/property_table.h"
#include "framework/stored_values.h"
#include "framework/window.h"

namespace fw {

StaticText::StaticText(Window& window)
    : Control(window, new QLabel(window.Content())), label_(static_cast<QLabel*>(Widget())) {
  label_->setTextFormat(Qt::PlainText);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  font_.ApplyTo(*label_);
}

QString StaticText::Text() const { return label_->text(); }
void StaticText::SetText(const QString& text) { label_->setText(text); }
bool StaticText::MultiLine() const { return label_->wordWrap(); }

void StaticText::SetTextAlign(int align) {
  textAlign_ = align;
  const Qt::Alignment horizontal = align == 1   ? Qt::AlignHCenter
                                   : align == 2 ? Qt::AlignRight
                                                : Qt::AlignLeft;
  label_->setAlignment(horizontal | Qt::AlignTop);
}

void StaticText::SetProperty(const QString& name, const QJsonValue& value) {
  using Table = PropertyTable<StaticText>;
  static const Table kProperties{
      {"Text", [](StaticText& t, const QJsonValue& v) { t.SetText(v.toString()); }},
      {"Caption", [](StaticText& t, const QJsonValue& v) { t.SetText(v.toString()); }},
      {"TextAlign", [](StaticText& t, const QJsonValue& v) { t.SetTextAlign(v.toInt()); }},
      {"TextColor",
       [](StaticText& t, const QJsonValue& v) {
         QPalette palette = t.label_->palette();
         palette.setColor(QPalette::WindowText, ColorFrom(v));
         t.label_->setPalette(palette);
       }},
      {"MultiLine", [](StaticText& t, const QJsonValue& v) { t.label_->setWordWrap(v.toBool()); }},
      // No control is bound to data.
      {"DataSource", Table::Ignored},
      {"DataField", Table::Ignored},
  };
  if (font_.Set(name, value))
    font_.ApplyTo(*label_);
  else if (!kProperties.Apply(*this, name, value))
    Control::SetProperty(name, value);
}

}  // namespace fw
