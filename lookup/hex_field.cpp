#include "lookup/hex_field.h"

namespace {

char32_t Unit(char c) { return static_cast<unsigned char>(c); }
char32_t Unit(QChar c) { return c.unicode(); }

int HexDigit(char32_t c) {
  if (c >= '0' && c <= '9') return int(c - '0');
  if (c >= 'A' && c <= 'F') return int(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return int(c - 'a' + 10);
  return -1;
}

template <class Field>
char32_t Read(const Field& field) {
  char32_t value = 0;
  for (const auto c : field) {
    const int digit = HexDigit(Unit(c));
    if (digit < 0) break;
    value = value * 16 + char32_t(digit);
    if (value > 0x10FFFF) return 0xFFFD;  // stop before it can overflow
  }
  if (value >= 0xD800 && value <= 0xDFFF) return 0xFFFD;
  return value;
}

}  // namespace

char32_t HexFieldCharacter(QByteArrayView field) { return Read(field); }

char32_t HexFieldCharacter(QStringView field) { return Read(field); }
