#include "lookup/variant_items.h"

QStringList VariantItems(const QString& value) {
  if (value.isEmpty()) return {};
  return value.split(QChar(' '));
}

QString VariantItemCharacter(const QString& item) {
  QString rest = item;
  const qsizetype plus = rest.indexOf(QLatin1String("U+"));
  if (plus >= 0) rest.remove(plus, 2);
  char32_t value = 0;
  bool valid = true;
  for (QChar c : rest) {
    const int digit = c.isDigit() && c.unicode() < 128 ? c.unicode() - '0'
                      : (c.toLower() >= 'a' && c.toLower() <= 'f')
                          ? c.toLower().unicode() - 'a' + 10
                          : -1;
    if (digit < 0) break;
    if (value > 0x10FFFF)
      valid = false;  // stop growing once it can no longer be a character
    else
      value = value * 16 + digit;
  }
  if (!valid || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) value = 0xFFFD;
  return QString::fromUcs4(&value, 1);
}
