#pragma once
// Data another application hands over: flavour names mapped to raw bytes.
#include <QByteArray>
#include <QMap>
#include <QString>

namespace fw {

class Pasteboard {
 public:
  explicit Pasteboard(QMap<QString, QByteArray> flavours = {});

  // True when it holds "text/plain;charset=utf-16" (big-endian unless a byte-order
  // mark says otherwise), "text/plain;charset=utf-8" or "text/plain" (UTF-8).
  bool TextAvailable() const;
  // The text of the first of those flavours present, in that order; empty when
  // none is. Malformed bytes become U+FFFD; a trailing NUL terminator is dropped.
  QString GetText() const;

  const QMap<QString, QByteArray>& Flavours() const { return flavours_; }

 private:
  QMap<QString, QByteArray> flavours_;
};

}  // namespace fw
