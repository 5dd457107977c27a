#include "framework/localized_strings.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <optional>

#include "framework/folders.h"

namespace fw {
namespace {

// Tables live in the resources and, for translations added after the build,
// in a "strings" folder beside the application; the latter wins.
QHash<QString, QString> TablesForUserLanguage() {
  QHash<QString, QString> merged;
  const QString name = QLocale::system().name();  // such as "zh_TW"
  QStringList languages{name.section('_', 0, 0), name};
  for (const QString& language : languages) {
    for (const QString& folder :
         {QStringLiteral(":/resources/strings"), ApplicationFolder() + "/strings"}) {
      QHash<QString, QString> table;
      if (LoadStringTable(folder + "/" + language + ".json", table)) merged.insert(table);
    }
  }
  return merged;
}

std::optional<QHash<QString, QString>>& CurrentTable() {
  static std::optional<QHash<QString, QString>> table;
  return table;
}

}  // namespace

bool LoadStringTable(const QString& path, QHash<QString, QString>& table) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QJsonDocument json = QJsonDocument::fromJson(file.readAll());
  if (!json.isObject()) return false;
  const QJsonObject object = json.object();
  for (auto it = object.begin(); it != object.end(); ++it)
    if (it.value().isString()) table.insert(it.key(), it.value().toString());
  return true;
}

QString GetLocalizedString(const QString& key, const QString& englishDefault) {
  if (!CurrentTable()) CurrentTable() = TablesForUserLanguage();
  return CurrentTable()->value(key, englishDefault);
}

QString GetLocalizedString(const char* className, const char* constantName,
                           const QString& englishDefault) {
  return GetLocalizedString(QLatin1String(className) + u'.' + QLatin1String(constantName),
                            englishDefault);
}

void InstallStringTable(const QHash<QString, QString>& table) { CurrentTable() = table; }

}  // namespace fw
