#include "framework/font_properties.h"

#include <QWidget>

#include "framework/fonts.h"

namespace fw {

bool FontProperties::Set(const QString& name, const QJsonValue& value) {
  if (name == "TextFont")
    TextFont = value.toString();
  else if (name == "TextSize")
    TextSize = value.toInt();
  else if (name == "Bold")
    Bold = value.toBool();
  else if (name == "Italic")
    Italic = value.toBool();
  else if (name == "Underline")
    Underline = value.toBool();
  else
    return false;
  return true;
}

void FontProperties::ApplyTo(QWidget& widget) const {
  widget.setFont(FontFor(TextFont, TextSize, Bold, Italic, Underline));
}

}  // namespace fw
