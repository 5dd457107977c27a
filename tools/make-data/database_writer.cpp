#include "database_writer.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "code_point.h"

namespace {

constexpr const char* kCreateTable =
    "CREATE TABLE unihan (code TEXT PRIMARY KEY, kZVariant TEXT, kSemanticVariant TEXT, "
    "kSimplifiedVariant TEXT, kTraditionalVariant TEXT, kMandarin TEXT, kCantonese TEXT, "
    "kJapaneseKun TEXT, kJapaneseOn TEXT, kKorean TEXT, kVietnamese TEXT, kDefinition TEXT, "
    "kCompatibilityVariant TEXT)";
constexpr const char* kInsertRow =
    "INSERT INTO unihan VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
struct FinalizeStatement {
  void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

class Writer {
 public:
  explicit Writer(const std::filesystem::path& path) : path_(path) {
    sqlite3* db = nullptr;
    const int status =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    db_.reset(db);
    if (status != SQLITE_OK) Fail(db ? sqlite3_errmsg(db) : sqlite3_errstr(status));
  }

  void Execute(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, &message) != SQLITE_OK) {
      const std::string why = message ? message : "unknown error";
      sqlite3_free(message);
      Fail(why);
    }
  }

  void InsertRows(const UnihanData& unihan, const std::vector<char32_t>& code_points) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_.get(), kInsertRow, -1, &raw, nullptr) != SQLITE_OK) Check(false);
    std::unique_ptr<sqlite3_stmt, FinalizeStatement> insert(raw);
    for (const char32_t code_point : code_points) {
      const std::string code = CodeText(code_point);
      const UnihanRecord& record = *unihan.Find(code_point);
      Check(sqlite3_bind_text(insert.get(), 1, code.data(), static_cast<int>(code.size()),
                              SQLITE_STATIC) == SQLITE_OK);
      for (std::size_t column = 0; column < kDatabaseColumnCount; ++column) {
        const std::string_view value = record[column];
        // A non-null pointer even for '' so SQLite stores text, not NULL.
        Check(sqlite3_bind_text(insert.get(), static_cast<int>(column) + 2,
                                value.empty() ? "" : value.data(), static_cast<int>(value.size()),
                                SQLITE_STATIC) == SQLITE_OK);
      }
      Check(sqlite3_step(insert.get()) == SQLITE_DONE);
      sqlite3_reset(insert.get());
    }
  }

  void Close() {
    const int status = sqlite3_close(db_.release());
    if (status != SQLITE_OK) Fail(sqlite3_errstr(status));
  }

 private:
  void Check(bool ok) {
    if (!ok) Fail(sqlite3_errmsg(db_.get()));
  }
  [[noreturn]] void Fail(const std::string& why) {
    throw std::runtime_error(path_.string() + ": " + why);
  }

  std::filesystem::path path_;
  std::unique_ptr<sqlite3, CloseDatabase> db_;
};

}  // namespace

void WriteUnihanDatabase(const std::filesystem::path& path, const UnihanData& unihan,
                         const std::vector<char32_t>& code_points) {
  Writer writer(path);
  // No journal while building: a failed build is thrown away whole.
  writer.Execute("PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF");
  writer.Execute(kCreateTable);
  writer.Execute("BEGIN");
  writer.InsertRows(unihan, code_points);
  writer.Execute("COMMIT");
  // Packs the index pages that sorted inserts left part-filled.
  writer.Execute("VACUUM");
  writer.Execute("PRAGMA journal_mode=DELETE");
  writer.Close();
}
