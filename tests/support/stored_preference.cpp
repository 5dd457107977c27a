#include "support/stored_preference.h"

#include <QFile>

#include "app/preferences_store.h"
#include "support/app_fixture.h"

QString StoredPreference(const QString& file, const QString& key) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) return QStringLiteral("<no file>");
  return PreferencesStore::ValueIn(in.readAll(), key).value_or(QStringLiteral("<unreadable>"));
}

QString StoredPreference(const AppFixture& app, const QString& key) {
  return StoredPreference(app.PreferencesFile(), key);
}

bool WritePreference(const QString& file, const QString& key, const QString& value) {
  const std::optional<QByteArray> document = PreferencesStore::Updated(
      PreferencesStore::InitialDocument(QStringLiteral("12")), key, value);
  QFile out(file);
  return document && out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         out.write(*document) == document->size();
}
