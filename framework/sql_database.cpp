#include "framework/sql_database.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <unordered_map>

#include "framework/regular_file.h"

namespace fw {
namespace detail {

// A prepared statement, kept for reuse. `busy` while a record set reads it.
struct SqlStatement {
  sqlite3_stmt* stmt = nullptr;
  QHash<QString, int> columns;  // name → index from 0
  bool busy = false;

  explicit SqlStatement(sqlite3_stmt* prepared) : stmt(prepared) {
    const int count = sqlite3_column_count(stmt);
    for (int i = 0; i < count; ++i)
      columns.insert(QString::fromUtf8(sqlite3_column_name(stmt, i)), i);
  }
  SqlStatement(const SqlStatement&) = delete;
  SqlStatement& operator=(const SqlStatement&) = delete;
  ~SqlStatement() { sqlite3_finalize(stmt); }
};

// The open file and its statements. Shared with the record sets, so that a
// record set outliving its SqlDatabase still reads a live connection.
struct SqlConnection {
  sqlite3* db = nullptr;
  struct SqlHash {
    size_t operator()(const QString& sql) const noexcept { return qHash(sql); }
  };
  std::unordered_map<QString, std::vector<std::unique_ptr<SqlStatement>>, SqlHash> statements;

  SqlConnection() = default;
  SqlConnection(const SqlConnection&) = delete;
  SqlConnection& operator=(const SqlConnection&) = delete;
  ~SqlConnection() {
    statements.clear();  // statements are finalized before the close
    sqlite3_close(db);
  }

  // An idle statement for `sql`, prepared when none is free; nullptr on error.
  SqlStatement* Acquire(const QString& sql) {
    auto found = statements.find(sql);
    if (found != statements.end()) {
      for (const auto& statement : found->second) {
        if (!statement->busy) return statement.get();
      }
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           nullptr) != SQLITE_OK ||
        !stmt) {
      sqlite3_finalize(stmt);
      return nullptr;
    }
    if (found == statements.end()) {
      DropIdle();
      found = statements.emplace(sql, std::vector<std::unique_ptr<SqlStatement>>()).first;
    }
    found->second.push_back(std::make_unique<SqlStatement>(stmt));
    return found->second.back().get();
  }

  // Keeps the cache bounded when callers build many different SQL texts.
  void DropIdle() {
    constexpr size_t kMaxTexts = 64;
    if (statements.size() < kMaxTexts) return;
    std::erase_if(statements, [](const auto& entry) {
      for (const auto& statement : entry.second)
        if (statement->busy) return false;
      return true;
    });
  }
};

int OpenForSqlite(const char* path, int flags, int mode) {
  return OpenWithoutWaiting(path, flags, mode_t(mode));
}

// SQLite opens the file itself, after our check: should the path become a
// named pipe in between, its open would wait for a writer. Its Unix layer
// lets the open call be replaced, so every open it makes cannot wait.
void OpenWithoutWaitingInSqlite() {
  static const bool replaced = [] {
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    return vfs && vfs->iVersion >= 3 && vfs->xSetSystemCall &&
           vfs->xSetSystemCall(vfs, "open",
                               reinterpret_cast<sqlite3_syscall_ptr>(&OpenForSqlite)) == SQLITE_OK;
  }();
  (void)replaced;
}

void Release(SqlStatement* statement) {
  sqlite3_reset(statement->stmt);
  sqlite3_clear_bindings(statement->stmt);
  statement->busy = false;
}

}  // namespace detail

QString DatabaseField::StringValue() const {
  if (owner_->eof_) return {};
  sqlite3_stmt* stmt = owner_->statement_->stmt;
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column_));
  if (!text) return {};
  return QString::fromUtf8(text, sqlite3_column_bytes(stmt, column_));
}

RecordSet::RecordSet(std::shared_ptr<detail::SqlConnection> connection,
                     detail::SqlStatement* statement)
    : connection_(std::move(connection)), statement_(statement) {
  statement_->busy = true;
  const int count = sqlite3_column_count(statement_->stmt);
  fields_.reserve(count);
  for (int i = 0; i < count; ++i) fields_.push_back(DatabaseField(this, i));
}

RecordSet::~RecordSet() { detail::Release(statement_); }

const DatabaseField* RecordSet::Field(const QString& column) const {
  const auto& columns = statement_->columns;
  auto found = columns.constFind(column);
  if (found != columns.constEnd()) return &fields_[*found];
  for (auto it = columns.constBegin(); it != columns.constEnd(); ++it) {
    if (it.key().compare(column, Qt::CaseInsensitive) == 0) return &fields_[*it];
  }
  return nullptr;
}

const DatabaseField* RecordSet::IdxField(int index) const {
  if (index < 1 || index > int(fields_.size())) return nullptr;
  return &fields_[index - 1];
}

void RecordSet::MoveNext() {
  if (eof_) return;
  // An error part way is the end of what can be read.
  eof_ = sqlite3_step(statement_->stmt) != SQLITE_ROW;
}

SqlDatabase::~SqlDatabase() = default;

bool SqlDatabase::Connect() {
  connection_.reset();
  if (DatabaseFile.isEmpty()) return false;  // SQLite would open a temporary database
  // Only a regular file can be a database; a named pipe would hold the open.
  if (!IsRegularFile(DatabaseFile)) return false;
  detail::OpenWithoutWaitingInSqlite();
  // An absolute path is never taken for a "file:" URI.
  const QByteArray path = QFile::encodeName(QFileInfo(DatabaseFile).absoluteFilePath());
  auto connection = std::make_shared<detail::SqlConnection>();
  if (sqlite3_open_v2(path.constData(), &connection->db, SQLITE_OPEN_READONLY, nullptr) !=
      SQLITE_OK)
    return false;
  // Opening is lazy: read the header now so that a non-database fails here.
  if (sqlite3_exec(connection->db, "PRAGMA schema_version", nullptr, nullptr, nullptr) != SQLITE_OK)
    return false;
  connection_ = std::move(connection);
  return true;
}

std::unique_ptr<RecordSet> SqlDatabase::SQLSelect(const QString& sql, const QStringList& bind) {
  if (!connection_) return nullptr;
  try {
    detail::SqlStatement* statement = connection_->Acquire(sql);
    if (!statement) return nullptr;
    sqlite3_stmt* stmt = statement->stmt;
    if (sqlite3_bind_parameter_count(stmt) != bind.size()) return nullptr;
    std::unique_ptr<RecordSet> records(new RecordSet(connection_, statement));
    for (int i = 0; i < bind.size(); ++i) {
      const QByteArray value = bind[i].toUtf8();
      if (sqlite3_bind_text64(stmt, i + 1, value.constData(), sqlite3_uint64(value.size()),
                              SQLITE_TRANSIENT, SQLITE_UTF8) != SQLITE_OK)
        return nullptr;
    }
    const int step = sqlite3_step(stmt);
    if (step != SQLITE_ROW && step != SQLITE_DONE) return nullptr;
    records->eof_ = step != SQLITE_ROW;
    return records;
  } catch (...) {
    return nullptr;
  }
}

}  // namespace fw
