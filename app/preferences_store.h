#pragma once
// Named text settings kept across runs in one XML file in the user's
// configuration folder. Nothing is cached: every call finds the folder and the
// file afresh and works on the whole document.
#include <QByteArray>
#include <QString>
#include <optional>

class PreferencesStore {
 public:
  // The value stored under key, or "" when there is none or the file cannot be
  // used; the caller then keeps its default. Creates the file when missing or
  // empty.
  static QString ReadPreferences(const QString& key);
  // Stores value under key, keeping everything else in the file. The old file
  // is replaced only once the new one is completely written; one that does not
  // parse is left alone, and the message names it.
  static void WritePreferences(const QString& key, const QString& value);

  // The parse-and-update core, on the file's bytes.
  // The value under key (the last entry wins; "" when none or when key is not
  // an element name); nullopt when the document does not parse.
  static std::optional<QString> ValueIn(const QByteArray& document, const QString& key);
  // The document with every entry of key set to value, or a new entry
  // appended when there is none; nullopt when the document does not parse or
  // key/value cannot be stored so that they read back unchanged.
  static std::optional<QByteArray> Updated(const QByteArray& document, const QString& key,
                                           const QString& value);
  // A document holding only the MainFontSize entry.
  static QByteArray InitialDocument(const QString& mainFontSize);
};
