#pragma once
// Read-only access to SQLite database files.
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace fw {

class RecordSet;
namespace detail {
struct SqlConnection;
struct SqlStatement;
}  // namespace detail

// One column of a record set's current row. Reads the row when asked, so the
// pointer stays valid for the life of its record set.
class DatabaseField {
 public:
  // The value as text; NULL, and anything read past the last row, is "".
  QString StringValue() const;

 private:
  friend class RecordSet;
  DatabaseField(const RecordSet* owner, int column) : owner_(owner), column_(column) {}
  const RecordSet* owner_;
  int column_;
};

// The rows of one query, read forward only. Keeps its connection open for as
// long as it lives.
class RecordSet {
 public:
  RecordSet(const RecordSet&) = delete;
  RecordSet& operator=(const RecordSet&) = delete;
  ~RecordSet();

  bool Eof() const { return eof_; }  // no (more) row
  // By column name (case-insensitive as in SQL); nullptr when there is none.
  const DatabaseField* Field(const QString& column) const;
  // By position from 1; nullptr out of range.
  const DatabaseField* IdxField(int index) const;
  void MoveNext();

 private:
  friend class SqlDatabase;
  friend class DatabaseField;
  RecordSet(std::shared_ptr<detail::SqlConnection> connection, detail::SqlStatement* statement);

  std::shared_ptr<detail::SqlConnection> connection_;
  detail::SqlStatement* statement_;
  std::vector<DatabaseField> fields_;
  bool eof_ = true;
};

class SqlDatabase {
 public:
  SqlDatabase() = default;
  SqlDatabase(const SqlDatabase&) = delete;
  SqlDatabase& operator=(const SqlDatabase&) = delete;
  ~SqlDatabase();

  QString DatabaseFile;  // path of the database file

  // Opens DatabaseFile read-only; a missing file is never created. False when
  // the file cannot be opened or is no database.
  bool Connect();
  // Runs one query with `bind` bound to its ? parameters in order. Statements
  // are prepared once per SQL text and reused. nullptr when not connected, on
  // an SQL error, or when the number of values does not match the parameters.
  // Never throws.
  std::unique_ptr<RecordSet> SQLSelect(const QString& sql, const QStringList& bind = {});

 private:
  std::shared_ptr<detail::SqlConnection> connection_;
};

}  // namespace fw
