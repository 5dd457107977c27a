#pragma once
// Reading back what the program wrote to its preferences file.
#include <QString>

class AppFixture;

// The value stored under key in app's preferences file, as the next run would
// read it; "<no file>" or "<unreadable>" when it cannot.
QString StoredPreference(const AppFixture& app, const QString& key);
