#pragma once
// Where the program's files live on this platform.
#include <QString>

namespace fw {

// The folder that contains the application: its data files lie here.
QString ApplicationFolder();
// Tests point the application folder at a fixture folder; empty restores it.
void SetApplicationFolder(const QString& folder);

// The per-user preferences folder: $XDG_CONFIG_HOME, else ~/.config. Returns
// the path whether or not it exists; CreatePreferencesFolder makes it and
// returns it, or the empty text when it cannot be made.
QString PreferencesFolder();
QString CreatePreferencesFolder();

}  // namespace fw
