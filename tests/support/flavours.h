#pragma once
// Pasteboards as other applications send them: flavour names and raw bytes.
#include <QByteArray>
#include <QMap>
#include <QString>
#include <initializer_list>

// Flavour name to the bytes of that flavour.
using Flavours = QMap<QString, QByteArray>;

inline const QString kUtf8 = QStringLiteral("text/plain;charset=utf-8");
inline const QString kUtf16 = QStringLiteral("text/plain;charset=utf-16");
inline const QString kPlain = QStringLiteral("text/plain");

// Bytes written as numbers, for encodings and malformed input.
inline QByteArray Bytes(std::initializer_list<unsigned char> bytes) {
  QByteArray out;
  for (const unsigned char byte : bytes) out.append(static_cast<char>(byte));
  return out;
}
