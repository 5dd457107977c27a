#include "framework/static_text.h"

#include <QJsonArray>
#include <QLabel>

#include "framework/window.h"

namespace fw {

QColor ColorFrom(const QJsonValue& value) {
  const QJsonArray rgb = value.toArray();
  return QColor(rgb.at(0).toInt(), rgb.at(1).toInt(), rgb.at(2).toInt());
}

StaticText::StaticText(Window& window)
    : Control(window, new QLabel(window.Content())), label_(static_cast<QLabel*>(Widget())) {
  label_->setTextFormat(Qt::PlainText);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  font_.ApplyTo(*label_);
}

QString StaticText::Text() const { return label_->text(); }
void StaticText::SetText(const QString& text) { label_->setText(text); }
bool StaticText::MultiLine() const { return label_->wordWrap(); }

void StaticText::SetProperty(const QString& name, const QJsonValue& value) {
  if (font_.Set(name, value))
    font_.ApplyTo(*label_);
  else if (name == "Text" || name == "Caption")
    SetText(value.toString());
  else if (name == "TextAlign") {
    textAlign_ = value.toInt();
    const Qt::Alignment horizontal = textAlign_ == 1   ? Qt::AlignHCenter
                                     : textAlign_ == 2 ? Qt::AlignRight
                                                       : Qt::AlignLeft;
    label_->setAlignment(horizontal | Qt::AlignTop);
  } else if (name == "TextColor") {
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, ColorFrom(value));
    label_->setPalette(palette);
  } else if (name == "MultiLine")
    label_->setWordWrap(value.toBool());
  else if (name == "DataSource" || name == "DataField")
    return;  // no control is bound to data
  else
    Control::SetProperty(name, value);
}

}  // namespace fw
