// Feeds arbitrary documents, keys and values to the preferences core. Input:
// byte 0 = key length, byte 1 = value length, then the key, the value and the
// document (all UTF-8). Whatever Updated produces must parse and hold the value.
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "app/preferences_store.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const char* bytes = reinterpret_cast<const char*>(data) + 2;
  size -= 2;
  const size_t keyLength = std::min<size_t>(data[0], size);
  const size_t valueLength = std::min<size_t>(data[1], size - keyLength);
  const QString key = QString::fromUtf8(bytes, keyLength);
  const QString value = QString::fromUtf8(bytes + keyLength, valueLength);
  const QByteArray document(bytes + keyLength + valueLength, size - keyLength - valueLength);

  const std::optional<QString> before = PreferencesStore::ValueIn(document, key);
  const std::optional<QByteArray> updated = PreferencesStore::Updated(document, key, value);
  if (!updated) return 0;
  // Only a document that parses can be updated.
  if (!before) __builtin_trap();
  const std::optional<QString> after = PreferencesStore::ValueIn(*updated, key);
  if (!after || *after != value) __builtin_trap();
  return 0;
}
