#include "framework/pasteboard.h"

#include <QStringDecoder>
#include <optional>

namespace fw {
namespace {

enum class Encoding { kUtf16, kUtf8 };

struct TextFlavour {
  const char* name;
  Encoding encoding;
};

// In order of preference: UTF-16 loses nothing, plain text is the weakest promise.
constexpr TextFlavour kTextFlavours[] = {
    {"text/plain;charset=utf-16", Encoding::kUtf16},
    {"text/plain;charset=utf-8", Encoding::kUtf8},
    {"text/plain", Encoding::kUtf8},
};

// MIME types and charset names are case-insensitive and senders differ on
// spaces around ';', so flavours are compared in one canonical spelling.
QString Canonical(const QString& flavour) {
  QString name = flavour.toLower();
  name.remove(QLatin1Char(' '));
  name.remove(QLatin1Char('\t'));
  return name;
}

QString DecodeUtf16(const QByteArray& bytes) {
  qsizetype at = 0;
  bool littleEndian = false;
  if (bytes.size() >= 2) {
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    const auto b1 = static_cast<unsigned char>(bytes[1]);
    if (b0 == 0xFE && b1 == 0xFF) {
      at = 2;
    } else if (b0 == 0xFF && b1 == 0xFE) {
      at = 2;
      littleEndian = true;
    }
  }
  const qsizetype end = bytes.size() - (bytes.size() - at) % 2;
  QString text;
  text.reserve((end - at) / 2);
  for (; at < end; at += 2) {
    const auto hi = static_cast<unsigned char>(bytes[at + (littleEndian ? 1 : 0)]);
    const auto lo = static_cast<unsigned char>(bytes[at + (littleEndian ? 0 : 1)]);
    text.append(QChar(static_cast<char16_t>(hi << 8 | lo)));
  }
  // A stray last byte is half a unit: bad data, shown as such.
  if (end < bytes.size()) text.append(QChar::ReplacementCharacter);
  // Lone surrogates would later read as bogus code points; mark them as bad data.
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
    } else if (text[i].isSurrogate()) {
      text[i] = QChar::ReplacementCharacter;
    }
  }
  return text;
}

QString DecodeUtf8(QByteArrayView bytes) {
  // Stateless: a sequence cut off at the end becomes U+FFFD instead of vanishing.
  // The decoder also drops a leading byte-order mark.
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  return decoder.decode(bytes);
}

struct TextData {
  Encoding encoding;
  QByteArray bytes;
};

std::optional<TextData> FindText(const QMap<QString, QByteArray>& flavours) {
  for (const TextFlavour& wanted : kTextFlavours) {
    for (auto it = flavours.cbegin(); it != flavours.cend(); ++it)
      if (Canonical(it.key()) == QLatin1String(wanted.name))
        return TextData{wanted.encoding, it.value()};
  }
  return std::nullopt;
}

}  // namespace

Pasteboard::Pasteboard(QMap<QString, QByteArray> flavours) : flavours_(std::move(flavours)) {}

bool Pasteboard::TextAvailable() const { return FindText(flavours_).has_value(); }

QString Pasteboard::GetText() const {
  const std::optional<TextData> data = FindText(flavours_);
  if (!data) return {};
  if (data->encoding == Encoding::kUtf16) return DecodeUtf16(data->bytes);
  // C-string senders (gdbus bytestrings among them) end UTF-8 with one NUL
  // terminator. Any NUL before it is text: U+0000 alone is a character.
  QByteArrayView bytes = data->bytes;
  if (bytes.endsWith('\0')) bytes.chop(1);
  return DecodeUtf8(bytes);
}

}  // namespace fw
