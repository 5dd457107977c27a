// Arbitrary tables and code texts for the variant table reader, and arbitrary
// text for the code text helpers.
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "lookup/code_text.h"
#include "lookup/moravel_variants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto* bytes = reinterpret_cast<const char*>(data);
  const qsizetype length = qsizetype(size);

  // Text helpers on the whole input, read as UTF-8 and as UTF-16.
  const QString utf8 = QString::fromUtf8(bytes, length);
  const QString utf16 =
      QString::fromUtf16(reinterpret_cast<const char16_t*>(data), length / qsizetype(2));
  for (const QString& text : {utf8, utf16}) {
    const QString first = FirstCharacter(text);
    const QString code = GetUnicodeCode(text);
    if (code != GetUnicodeCode(first) || (text.isEmpty() != code.isEmpty())) __builtin_trap();
    if (!text.isEmpty() && (code.size() < 4 || code.size() > 6)) __builtin_trap();
  }

  // First byte: how the code text is chosen; then the table.
  const uint8_t mode = data[0];
  QByteArrayView rest(bytes + 1, length - 1);
  QString code;
  if (mode < 0x80) {
    // The code text is taken from the next few bytes as they stand.
    const qsizetype keyLength = std::min<qsizetype>(mode % 7, rest.size());
    code = QString::fromLatin1(rest.first(keyLength));
    rest = rest.sliced(keyLength);
  } else {
    // The code text of the table's first character, as a real lookup makes it.
    code = GetUnicodeCode(QString::fromUtf8(rest.first(std::min<qsizetype>(4, rest.size()))));
  }
  const QString variants = MoravelVariantsIn(rest, code);
  // Every variant is a field of one line: never more characters than bytes.
  if (variants.size() > rest.size() * 2) __builtin_trap();
  for (qsizetype i = 0; i < variants.size(); ++i) {
    const QChar c = variants[i];
    if (c.isHighSurrogate() && (i + 1 >= variants.size() || !variants[++i].isLowSurrogate()))
      __builtin_trap();
    else if (c.isLowSurrogate())
      __builtin_trap();
  }
  return 0;
}
