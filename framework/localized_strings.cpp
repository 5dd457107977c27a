#include "framework/localized_strings.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <optional>

#include "framework/folders.h"

namespace {

// Where the tables for the user's language may lie: in the resources and, for
// translations added after the build, in a "strings" folder beside the
// application; later files win.
QStringList TablePaths() {
  const QString name = QLocale::system().name();  // such as "zh_TW"
  QStringList languages{name.section(u'_', 0, 0), name};
  languages.removeDuplicates();  // "C" and "ja" have no country part
  QStringList paths;
  for (const QString& language : languages)
    for (const QString& folder :
         {QStringLiteral(":/resources/strings"), fw::ApplicationFolder() + "/strings"})
      paths << folder + u'/' + language + QStringLiteral(".json");
  return paths;
}

// What the table files are now: a table is read again only when this changes,
// so a table dropped in while the program runs shows in the next window.
QStringList Stamp(const QStringList& paths) {
  QStringList stamp;
  for (const QString& path : paths) {
    const QFileInfo file(path);
    stamp << (file.exists() ? QStringLiteral("%1 %2 %3")
                                  .arg(path)
                                  .arg(file.size())
                                  .arg(file.lastModified().toMSecsSinceEpoch())
                            : QString());
  }
  return stamp;
}

struct DiskTables {
  QStringList stamp;
  QHash<QString, QString> merged;
};

const QHash<QString, QString>& TablesOnDisk() {
  static DiskTables tables{{QStringLiteral("never read")}, {}};
  const QStringList paths = TablePaths();
  QStringList stamp = Stamp(paths);
  if (stamp != tables.stamp) {
    tables.merged.clear();
    for (const QString& path : paths) {
      QHash<QString, QString> table;
      if (fw::LoadStringTable(path, table)) tables.merged.insert(table);
    }
    tables.stamp = std::move(stamp);
  }
  return tables.merged;
}

std::optional<QHash<QString, QString>>& InstalledTable() {
  static std::optional<QHash<QString, QString>> table;
  return table;
}

}  // namespace

namespace fw {

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
  const QHash<QString, QString>& table = InstalledTable() ? *InstalledTable() : TablesOnDisk();
  return table.value(key, englishDefault);
}

QString GetLocalizedString(const char* className, const char* constantName,
                           const QString& englishDefault) {
  return GetLocalizedString(QLatin1String(className) + u'.' + QLatin1String(constantName),
                            englishDefault);
}

void InstallStringTable(const QHash<QString, QString>& table) { InstalledTable() = table; }

void RemoveInstalledStringTable() { InstalledTable().reset(); }

}  // namespace fw
