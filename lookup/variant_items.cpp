#include "lookup/variant_items.h"

#include "lookup/hex_field.h"

QStringList VariantItems(const QString& value) {
  if (value.isEmpty()) return {};
  return value.split(QChar(' '));
}

QString VariantItemCharacter(const QString& item) {
  QString rest = item;
  const qsizetype plus = rest.indexOf(QLatin1String("U+"));
  if (plus >= 0) rest.remove(plus, 2);
  const char32_t character = HexFieldCharacter(rest);
  return QString::fromUcs4(&character, 1);
}
