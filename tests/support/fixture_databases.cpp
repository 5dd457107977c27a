#include "support/fixture_databases.h"

#include <sqlite3.h>

#include <QFile>
#include <QScopeGuard>

namespace {

constexpr const char* kColumns[] = {
    "kZVariant", "kSemanticVariant", "kSimplifiedVariant", "kTraditionalVariant",
    "kMandarin", "kCantonese",       "kJapaneseKun",       "kJapaneseOn",
    "kKorean",   "kVietnamese",      "kDefinition",        "kCompatibilityVariant"};

QList<QString> Values(const UnihanRow& row) {
  return {row.zVariant, row.semanticVariant, row.simplifiedVariant, row.traditionalVariant,
          row.mandarin, row.cantonese,       row.japaneseKun,       row.japaneseOn,
          row.korean,   row.vietnamese,      row.definition,        row.compatibilityVariant};
}

bool Exec(sqlite3* db, const QByteArray& sql) {
  return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool InsertRows(sqlite3* db, const QList<UnihanRow>& rows, int columnCount) {
  QByteArray sql = "INSERT INTO unihan VALUES (?";
  for (int i = 0; i < columnCount; ++i) sql += ", ?";
  sql += ")";
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) return false;
  const auto finalize = qScopeGuard([stmt] { sqlite3_finalize(stmt); });
  for (const UnihanRow& row : rows) {
    QList<QString> values = Values(row);
    values.prepend(row.code);
    for (int i = 0; i <= columnCount; ++i) {
      const QByteArray text = values[i].toUtf8();
      if (sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT) !=
          SQLITE_OK)
        return false;
    }
    if (sqlite3_step(stmt) != SQLITE_DONE || sqlite3_reset(stmt) != SQLITE_OK) return false;
  }
  return true;
}

}  // namespace

FixtureFolder::FixtureFolder() = default;

bool FixtureFolder::WriteDatabase(const QString& name, const QList<UnihanRow>& rows,
                                  UnihanTable table) {
  const QString path = FilePath(name);
  if (QFile::exists(path) && !QFile::remove(path)) return false;
  sqlite3* db = nullptr;
  const auto close = qScopeGuard([&db] { sqlite3_close(db); });
  if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK) return false;
  if (table == UnihanTable::Missing) return Exec(db, "CREATE TABLE other (code TEXT)");

  const int columnCount = int(std::size(kColumns)) - (table == UnihanTable::Full ? 0 : 1);
  QByteArray create = "CREATE TABLE unihan (code TEXT PRIMARY KEY";
  for (int i = 0; i < columnCount; ++i) create += QByteArray(", ") + kColumns[i] + " TEXT";
  create += ")";
  return Exec(db, create) && Exec(db, "BEGIN") && InsertRows(db, rows, columnCount) &&
         Exec(db, "COMMIT");
}

bool FixtureFolder::WriteFile(const QString& name, const QByteArray& contents) {
  QFile file(FilePath(name));
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         file.write(contents) == contents.size();
}

bool FixtureFolder::Remove(const QString& name) { return QFile::remove(FilePath(name)); }

QList<QString> DatabaseFileNames() {
  return {"hanzidata.rsd", "hanzidata2.rsd", "hanzidata3.rsd", "hanzidata4.rsd", "hanzidata5.rsd"};
}
