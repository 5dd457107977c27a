#pragma once
// Reading back what the program wrote to its preferences file, and writing
// one for a run to start with.
#include <QString>

class AppFixture;

// The value stored under key in the preferences file, as the next run would
// read it; "<no file>" or "<unreadable>" when it cannot.
QString StoredPreference(const QString& file, const QString& key);
// The same in app's preferences file.
QString StoredPreference(const AppFixture& app, const QString& key);
// Writes a preferences file holding only value under key; false when it cannot.
bool WritePreference(const QString& file, const QString& key, const QString& value);
