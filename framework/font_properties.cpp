#include "framework/font_properties.h"

#include <QWidget>

#include "framework/fonts.h"
#include "framework/property_table.h"

namespace fw {

bool FontProperties::Set(const QString& name, const QJsonValue& value) {
  static const PropertyTable<FontProperties> kProperties{
      {"TextFont", [](FontProperties& f, const QJsonValue& v) { f.TextFont = v.toString(); }},
      {"TextSize", [](FontProperties& f, const QJsonValue& v) { f.TextSize = v.toInt(); }},
      {"Bold", [](FontProperties& f, const QJsonValue& v) { f.Bold = v.toBool(); }},
      {"Italic", [](FontProperties& f, const QJsonValue& v) { f.Italic = v.toBool(); }},
      {"Underline", [](FontProperties& f, const QJsonValue& v) { f.Underline = v.toBool(); }},
  };
  return kProperties.Apply(*this, name, value);
}

void FontProperties::ApplyTo(QWidget& widget) const {
  widget.setFont(FontFor(TextFont, TextSize, Bold, Italic, Underline));
}

}  // namespace fw
