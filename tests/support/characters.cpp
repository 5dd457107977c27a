#include "support/characters.h"

QString Chars(std::initializer_list<char32_t> codes) {
  QString text;
  for (const char32_t code : codes) text += QString::fromUcs4(&code, 1);
  return text;
}

QString HanText(qsizetype length) {
  QString text;
  text.reserve(length);
  for (int i = 0; text.size() < length; ++i) text.append(QChar(0x4E00 + i % 20000));
  return text;
}
