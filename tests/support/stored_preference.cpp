#include "support/stored_preference.h"

#include <QFile>

#include "app/preferences_store.h"
#include "support/app_fixture.h"

QString StoredPreference(const AppFixture& app, const QString& key) {
  QFile file(app.PreferencesFile());
  if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<no file>");
  return PreferencesStore::ValueIn(file.readAll(), key).value_or(QStringLiteral("<unreadable>"));
}
