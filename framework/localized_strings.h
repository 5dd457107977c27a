#pragma once
// Localizable texts: one table per language, keyed "Class.kName"; the
// program carries only the English defaults, which stand wherever a table
// has no entry.
#include <QHash>
#include <QString>

namespace fw {

// The text for key in the user's language, or englishDefault when no table
// holds it. Looked up on every call; the table files are read again whenever
// they change, so a table added while the program runs shows at once.
QString GetLocalizedString(const QString& key, const QString& englishDefault);
// The same for a class's constant: the key is "<className>.<constantName>".
QString GetLocalizedString(const char* className, const char* constantName,
                           const QString& englishDefault);

// Replaces the tables found for the user's language (tests, and a running
// program that switches language). An empty table means English only.
void InstallStringTable(const QHash<QString, QString>& table);
// Back to the table files for the user's language.
void RemoveInstalledStringTable();

// Reads a table stored as a JSON object of key → text; false when the file
// is missing or not such an object.
bool LoadStringTable(const QString& path, QHash<QString, QString>& table);

}  // namespace fw
