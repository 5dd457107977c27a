// Arbitrary pasteboards for the text decoding. Input: flavours separated by byte
// 0x1E, each a name, byte 0x1F, then its data. A name of one digit stands for a
// spelling of a text flavour, so the decoders are reached at once.
#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "framework/pasteboard.h"

namespace {

const char* const kSpellings[] = {
    "text/plain;charset=utf-16",  "text/plain;charset=utf-8",   "text/plain",
    "Text/Plain; Charset=UTF-16", "TEXT/PLAIN;\tCHARSET=UTF-8", "text/html",
};

QString FlavourName(QByteArrayView name) {
  if (name.size() == 1 && name[0] >= '0' && name[0] < '0' + char(std::size(kSpellings)))
    return QString::fromLatin1(kSpellings[name[0] - '0']);
  return QString::fromUtf8(name);
}

// The same bytes sent as UTF-8 lose exactly one final NUL, a C string's
// terminator; sent as UTF-16 they lose none. Every other NUL is U+0000.
void CheckNuls(const QByteArray& bytes) {
  const auto nuls = [](const QString& text) { return text.count(QChar(u'\0')); };
  const QString utf8 =
      fw::Pasteboard({{QStringLiteral("text/plain;charset=utf-8"), bytes}}).GetText();
  if (nuls(utf8) != bytes.count('\0') - (bytes.endsWith('\0') ? 1 : 0)) __builtin_trap();

  const QString utf16 =
      fw::Pasteboard({{QStringLiteral("text/plain;charset=utf-16"), bytes}}).GetText();
  const bool marked = bytes.startsWith("\xFE\xFF") || bytes.startsWith("\xFF\xFE");
  qsizetype zeroUnits = 0;
  for (qsizetype at = marked ? 2 : 0; at + 1 < bytes.size(); at += 2)
    if (bytes[at] == 0 && bytes[at + 1] == 0) ++zeroUnits;
  if (nuls(utf16) != zeroUnits) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView input(reinterpret_cast<const char*>(data), qsizetype(size));
  QMap<QString, QByteArray> flavours;
  qsizetype start = 0;
  while (start <= input.size()) {
    qsizetype end = input.indexOf('\x1E', start);
    if (end < 0) end = input.size();
    const QByteArrayView record = input.sliced(start, end - start);
    const qsizetype split = record.indexOf('\x1F');
    if (split < 0)
      flavours.insert(FlavourName(record), QByteArray());
    else
      flavours.insert(FlavourName(record.first(split)), record.sliced(split + 1).toByteArray());
    start = end + 1;
  }

  const fw::Pasteboard pasteboard(flavours);
  const bool available = pasteboard.TextAvailable();
  const QString text = pasteboard.GetText();
  // The program reads code points from this text: no lone surrogates, ever.
  if (!text.isValidUtf16()) __builtin_trap();
  if (!available && !text.isEmpty()) __builtin_trap();
  // Never more characters than bytes.
  if (text.size() > input.size()) __builtin_trap();
  // Deciding and decoding are repeatable: a request reads the pasteboard twice.
  if (pasteboard.TextAvailable() != available || pasteboard.GetText() != text) __builtin_trap();
  CheckNuls(input.toByteArray());
  return 0;
}
