// The read-only SQL layer against a small fixture database.
#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

#include "framework/sql_database.h"
#include "support/watched_pipe.h"

namespace {
const QString kSelectByCode = QStringLiteral("SELECT * FROM unihan WHERE code = ?");

bool MakeFixture(const QString& path) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK &&
            sqlite3_exec(db,
                         "CREATE TABLE unihan (code TEXT PRIMARY KEY, kMandarin TEXT, "
                         "kDefinition TEXT, kNote TEXT);"
                         "INSERT INTO unihan VALUES ('4E00', 'yī', 'one; a, an; alone', NULL);"
                         "INSERT INTO unihan VALUES ('5F0C', 'yī', '一；壹', 'variant');"
                         "INSERT INTO unihan VALUES ('20000', 'hē', '呵', '');"
                         "INSERT INTO unihan VALUES ('7DA0', 'lǜ', 'green', NULL);",
                         nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}
}  // namespace

class SqlDatabaseTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void connectFails_data();
  void connectFails();
  void notAFileIsNotOpened_data();
  void notAFileIsNotOpened();
  void sqliteNeverWaitsOnAPipe();
  void selectFails_data();
  void selectFails();
  void readsARow();
  void noRow();
  void readsAllRows();
  void textRoundTrip_data();
  void textRoundTrip();
  void twoRecordSetsAtOnce();
  void recordSetOutlivesDatabase();
  void reusedStatementStartsAfresh();

 private:
  QTemporaryDir folder_;
  QString fixture_;
  fw::SqlDatabase db_;
};

void SqlDatabaseTest::initTestCase() {
  QVERIFY(folder_.isValid());
  fixture_ = folder_.filePath(QStringLiteral("hanzidata.rsd"));
  QVERIFY(MakeFixture(fixture_));
  db_.DatabaseFile = fixture_;
  QVERIFY(db_.Connect());
}

void SqlDatabaseTest::connectFails_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("content");  // written to the file unless "-"
  QTest::newRow("missing file") << "missing.rsd" << QByteArray("-");
  QTest::newRow("missing folder") << "no/such/missing.rsd" << QByteArray("-");
  QTest::newRow("URI-like name") << "file:made.rsd?mode=rwc" << QByteArray("-");
  QTest::newRow("not a database") << "text.rsd" << QByteArray("4E00\t5F0C\n").repeated(200);
  QTest::newRow("empty path") << "" << QByteArray("-");
}

void SqlDatabaseTest::connectFails() {
  QFETCH(QString, name);
  QFETCH(QByteArray, content);
  // Relative to the fixture folder, so that a URI-like name would be taken as one.
  const QString home = QDir::currentPath();
  QVERIFY(QDir::setCurrent(folder_.path()));
  const auto restore = qScopeGuard([&home] { QDir::setCurrent(home); });
  const QString path = name;
  if (content != "-") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
  }
  const QStringList before = QDir(folder_.path()).entryList(QDir::Files);
  fw::SqlDatabase db;
  db.DatabaseFile = path;
  QVERIFY(!db.Connect());
  QCOMPARE(QDir(folder_.path()).entryList(QDir::Files), before);
  QVERIFY(!db.SQLSelect(QStringLiteral("SELECT 1")));
}

// A named pipe would keep an open waiting for a writer for good; none of
// these is a database.
void SqlDatabaseTest::notAFileIsNotOpened_data() {
  QTest::addColumn<bool>("pipe");  // else a folder
  QTest::addColumn<bool>("linked");
  QTest::newRow("named pipe") << true << false;
  QTest::newRow("link to a named pipe") << true << true;
  QTest::newRow("folder") << false << false;
  QTest::newRow("link to a folder") << false << true;
}

void SqlDatabaseTest::notAFileIsNotOpened() {
  QFETCH(bool, pipe);
  QFETCH(bool, linked);
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString target = folder.filePath(QStringLiteral("target"));
  const QString path = linked ? folder.filePath(QStringLiteral("hanzidata.rsd")) : target;
  std::optional<WatchedPipe> watched;
  if (pipe) {
    watched.emplace(target);
    QVERIFY(watched->Made());
  } else {
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("target")));
  }
  if (linked) QCOMPARE(symlink("target", QFile::encodeName(path).constData()), 0);

  fw::SqlDatabase db;
  db.DatabaseFile = path;
  QVERIFY(!db.Connect());
  QVERIFY(!db.SQLSelect(QStringLiteral("SELECT 1")));
  if (pipe) {
    QVERIFY(!watched->ReaderWasStuck());
    QVERIFY(WatchedPipe::IsPipe(target));
  } else {
    QVERIFY(QFileInfo(target).isDir());
  }
  QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System),
           linked ? QStringList({"hanzidata.rsd", "target"}) : QStringList{"target"});
}

// The path may become a pipe after Connect has checked it: SQLite's own open
// must not wait either, once a connection has been made.
void SqlDatabaseTest::sqliteNeverWaitsOnAPipe() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("hanzidata.rsd"));
  WatchedPipe pipe(path);
  QVERIFY(pipe.Made());
  sqlite3* db = nullptr;
  const int opened =
      sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  const auto close = qScopeGuard([db] { sqlite3_close(db); });
  QVERIFY(opened != SQLITE_OK ||
          sqlite3_exec(db, "PRAGMA schema_version", nullptr, nullptr, nullptr) != SQLITE_OK);
  QVERIFY(!pipe.ReaderWasStuck());
  QVERIFY(WatchedPipe::IsPipe(path));
}

void SqlDatabaseTest::selectFails_data() {
  QTest::addColumn<QString>("sql");
  QTest::addColumn<QStringList>("bind");
  QTest::newRow("missing table") << "SELECT * FROM hanzi WHERE code = ?" << QStringList{"4E00"};
  QTest::newRow("missing column") << "SELECT kCangjie FROM unihan" << QStringList();
  QTest::newRow("syntax error") << "SELEC * FROM unihan" << QStringList();
  QTest::newRow("empty text") << "" << QStringList();
  QTest::newRow("too few values") << kSelectByCode << QStringList();
  QTest::newRow("too many values") << kSelectByCode << QStringList{"4E00", "5F0C"};
  QTest::newRow("write to read-only file")
      << "INSERT INTO unihan (code) VALUES (?)" << QStringList{"4E01"};
}

void SqlDatabaseTest::selectFails() {
  QFETCH(QString, sql);
  QFETCH(QStringList, bind);
  QVERIFY(!db_.SQLSelect(sql, bind));
  // The connection is still good afterwards, and nothing was written.
  auto rows = db_.SQLSelect(QStringLiteral("SELECT count(*) FROM unihan"));
  QVERIFY(rows);
  QCOMPARE(rows->IdxField(1)->StringValue(), QStringLiteral("4"));
}

void SqlDatabaseTest::readsARow() {
  auto rows = db_.SQLSelect(kSelectByCode, {QStringLiteral("4E00")});
  QVERIFY(rows);
  QVERIFY(!rows->Eof());
  QVERIFY(rows->Field(QStringLiteral("kMandarin")));
  QCOMPARE(rows->Field(QStringLiteral("kMandarin"))->StringValue(), QStringLiteral("yī"));
  QCOMPARE(rows->Field(QStringLiteral("KDEFINITION"))->StringValue(),
           QStringLiteral("one; a, an; alone"));
  QCOMPARE(rows->Field(QStringLiteral("kNote"))->StringValue(), QString());  // NULL
  QCOMPARE(rows->Field(QStringLiteral("kNote")), rows->IdxField(4));
  QCOMPARE(rows->IdxField(1)->StringValue(), QStringLiteral("4E00"));
  QVERIFY(!rows->Field(QStringLiteral("kCangjie")));
  QVERIFY(!rows->IdxField(0));
  QVERIFY(!rows->IdxField(5));
  QVERIFY(!rows->IdxField(-1));

  const fw::DatabaseField* code = rows->IdxField(1);
  rows->MoveNext();
  QVERIFY(rows->Eof());
  QCOMPARE(code->StringValue(), QString());  // past the last row
  rows->MoveNext();
  QVERIFY(rows->Eof());
}

void SqlDatabaseTest::noRow() {
  auto rows = db_.SQLSelect(kSelectByCode, {QStringLiteral("9FA5")});
  QVERIFY(rows);
  QVERIFY(rows->Eof());
  QVERIFY(rows->Field(QStringLiteral("kMandarin")));
  QCOMPARE(rows->Field(QStringLiteral("kMandarin"))->StringValue(), QString());
}

void SqlDatabaseTest::readsAllRows() {
  auto rows = db_.SQLSelect(QStringLiteral("SELECT code FROM unihan ORDER BY code"));
  QVERIFY(rows);
  QStringList codes;
  for (; !rows->Eof(); rows->MoveNext()) codes << rows->IdxField(1)->StringValue();
  QCOMPARE(codes, (QStringList{"20000", "4E00", "5F0C", "7DA0"}));
}

void SqlDatabaseTest::textRoundTrip_data() {
  QTest::addColumn<QString>("column");
  QTest::addColumn<QString>("value");
  QTest::addColumn<QString>("code");
  QTest::newRow("Chinese") << "kDefinition" << QStringLiteral("一；壹") << "5F0C";
  QTest::newRow("supplementary") << "kDefinition" << QStringLiteral("呵") << "20000";
  QTest::newRow("pinyin macron") << "kMandarin" << QStringLiteral("hē") << "20000";
  QTest::newRow("pinyin ü with tone") << "kMandarin" << QStringLiteral("lǜ") << "7DA0";
}

void SqlDatabaseTest::textRoundTrip() {
  QFETCH(QString, column);
  QFETCH(QString, value);
  QFETCH(QString, code);
  auto rows = db_.SQLSelect(QStringLiteral("SELECT code, %1 FROM unihan WHERE %1 = ?").arg(column),
                            {value});
  QVERIFY(rows);
  QVERIFY(!rows->Eof());
  QCOMPARE(rows->Field(QStringLiteral("code"))->StringValue(), code);
  QCOMPARE(rows->IdxField(2)->StringValue(), value);
}

void SqlDatabaseTest::twoRecordSetsAtOnce() {
  auto first = db_.SQLSelect(kSelectByCode, {QStringLiteral("4E00")});
  auto second = db_.SQLSelect(kSelectByCode, {QStringLiteral("5F0C")});
  auto all = db_.SQLSelect(QStringLiteral("SELECT code FROM unihan ORDER BY code"));
  QVERIFY(first && second && all);
  QCOMPARE(first->IdxField(1)->StringValue(), QStringLiteral("4E00"));
  QCOMPARE(second->IdxField(1)->StringValue(), QStringLiteral("5F0C"));
  all->MoveNext();
  QCOMPARE(all->IdxField(1)->StringValue(), QStringLiteral("4E00"));
  QCOMPARE(first->Field(QStringLiteral("kNote"))->StringValue(), QString());
  QCOMPARE(second->Field(QStringLiteral("kNote"))->StringValue(), QStringLiteral("variant"));
}

void SqlDatabaseTest::recordSetOutlivesDatabase() {
  std::unique_ptr<fw::RecordSet> rows;
  {
    fw::SqlDatabase db;
    db.DatabaseFile = fixture_;
    QVERIFY(db.Connect());
    rows = db.SQLSelect(QStringLiteral("SELECT code FROM unihan ORDER BY code"));
  }
  QVERIFY(rows);
  rows->MoveNext();
  QCOMPARE(rows->IdxField(1)->StringValue(), QStringLiteral("4E00"));
}

void SqlDatabaseTest::reusedStatementStartsAfresh() {
  for (int i = 0; i < 3; ++i) {
    auto rows = db_.SQLSelect(QStringLiteral("SELECT code FROM unihan ORDER BY code"));
    QVERIFY(rows);
    QCOMPARE(rows->IdxField(1)->StringValue(), QStringLiteral("20000"));
    rows->MoveNext();  // left part way: the next run starts from the top
  }
  for (const QString code : {"4E00", "5F0C", "9FA5", "4E00"}) {
    auto rows = db_.SQLSelect(kSelectByCode, {code});
    QVERIFY(rows);
    QCOMPARE(rows->IdxField(1)->StringValue(), code == "9FA5" ? QString() : code);
  }
}

QTEST_GUILESS_MAIN(SqlDatabaseTest)
#include "tst_sql_database.moc"
