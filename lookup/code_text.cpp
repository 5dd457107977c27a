#include "lookup/code_text.h"

namespace {

// The code point of the first character; a lone surrogate stands for itself.
char32_t FirstCodePoint(const QString& text) {
  const char16_t first = text.front().unicode();
  if (QChar::isHighSurrogate(first) && text.size() > 1 && text[1].isLowSurrogate())
    return QChar::surrogateToUcs4(first, text[1].unicode());
  return first;
}

}  // namespace

QString GetUnicodeCode(const QString& character) {
  if (character.isEmpty()) return {};
  const char32_t code = FirstCodePoint(character);
  const int digits = code > 0xFFFFF ? 6 : code > 0xFFFF ? 5 : 4;
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  QString text(digits, Qt::Uninitialized);
  for (int i = digits - 1, shift = 0; i >= 0; --i, shift += 4)
    text[i] = QChar(kHex[(code >> shift) & 0xF]);
  return text;
}

QString FirstCharacter(const QString& text) { return MidCharacters(text, 1, 1); }

QString MidCharacters(const QString& text, int position, int count) {
  if (position < 1 || count < 1) return {};
  // A surrogate pair is one character; a lone surrogate is one too.
  auto width = [&text](qsizetype i) -> qsizetype {
    return i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2 : 1;
  };
  qsizetype start = 0;
  for (int skipped = 1; skipped < position; ++skipped) {
    if (start >= text.size()) return {};
    start += width(start);
  }
  qsizetype end = start;
  for (int taken = 0; taken < count && end < text.size(); ++taken) end += width(end);
  return text.mid(start, end - start);
}
