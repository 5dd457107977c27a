// Drives the real make-data tool: on small fixtures for exact results and
// failure handling, and on the data the build generated from Debian's files.

#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QStringList kDatabases = {"hanzidata.rsd", "hanzidata2.rsd", "hanzidata3.rsd",
                                "hanzidata4.rsd", "hanzidata5.rsd"};
const QStringList kOutputs = kDatabases + QStringList{"UniVariants"};
const QStringList kDictionaries = {"TSCharacters",  "STCharacters",  "TWVariants",
                                   "TWVariantsRev", "HKVariants",    "HKVariantsRev",
                                   "JPVariants",    "JPVariantsRev", "JPShinjitaiCharacters"};

QString FixtureDir(const QString& name) {
  return QStringLiteral(QUILLFERN_SOURCE_DIR "/tests/fixtures/make_data/") + name;
}

struct Outcome {
  int exit_code = -1;
  QByteArray errors;
};

Outcome RunMakeData(const QStringList& arguments) {
  QProcess process;
  process.start(QStringLiteral(QUILLFERN_MAKE_DATA), arguments);
  if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return {};
  return {process.exitCode(), process.readAllStandardError()};
}

Outcome RunOn(const QString& unihan, const QString& opencc, const QString& out) {
  return RunMakeData({"--unihan-dir", unihan, "--opencc-dir", opencc, "--out", out});
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(file.write(bytes), bytes.size());
}

void CopyFolder(const QString& from, const QString& to) {
  QDir().mkpath(to);
  for (const QString& name : QDir(from).entryList(QDir::Files)) {
    QVERIFY(QFile::copy(from + "/" + name, to + "/" + name));
  }
}

QMap<QString, QByteArray> Snapshot(const QString& folder) {
  QMap<QString, QByteArray> files;
  for (const QString& name : QDir(folder).entryList(QDir::Files)) {
    files.insert(name, ReadBytes(folder + "/" + name));
  }
  return files;
}

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;

Db OpenReadOnly(const QString& path) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
      SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  return Db(db);
}

// The single text result of `sql` with `code` bound to ?; "<NULL>" for NULL,
// "<no row>" when there is none, "<error>" when the file or query fails.
QString QueryText(const QString& path, const QString& sql, const QString& code = {}) {
  const Db db = OpenReadOnly(path);
  if (!db) return "<error>";
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db.get(), sql.toUtf8().constData(), -1, &statement, nullptr) !=
      SQLITE_OK) {
    return "<error>";
  }
  const QByteArray code_bytes = code.toUtf8();
  if (sqlite3_bind_parameter_count(statement) > 0) {
    sqlite3_bind_text(statement, 1, code_bytes.constData(), -1, SQLITE_TRANSIENT);
  }
  QString result = "<no row>";
  if (sqlite3_step(statement) == SQLITE_ROW) {
    result =
        sqlite3_column_type(statement, 0) == SQLITE_NULL
            ? QStringLiteral("<NULL>")
            : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
  }
  sqlite3_finalize(statement);
  return result;
}

QString Field(const QString& path, const QString& code, const QString& column) {
  return QueryText(path, QStringLiteral("SELECT %1 FROM unihan WHERE code = ?").arg(column), code);
}

int RowCount(const QString& path) {
  bool ok = false;
  const int count = QueryText(path, "SELECT count(*) FROM unihan").toInt(&ok);
  return ok ? count : -1;
}

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

void VerifySameFiles(const QMap<QString, QByteArray>& actual,
                     const QMap<QString, QByteArray>& expected) {
  QCOMPARE(actual.keys(), expected.keys());
  for (auto file = expected.begin(); file != expected.end(); ++file) {
    QVERIFY2(actual.value(file.key()) == file.value(), qPrintable(file.key()));
  }
}

// Lines "XXXX<TAB>V V ...", keys strictly ascending, LF only, final LF.
void VerifyUniVariantsShape(const QByteArray& text) {
  QVERIFY(!text.isEmpty());
  QVERIFY(text.endsWith('\n'));
  QVERIFY(!text.contains('\r'));
  static const QRegularExpression line_pattern("^[0-9A-F]{4}\t[0-9A-F]+( [0-9A-F]+)*$");
  int previous = -1;
  for (const QByteArray& line : text.chopped(1).split('\n')) {
    QVERIFY2(line_pattern.match(QString::fromLatin1(line)).hasMatch(), line.constData());
    const int key = line.left(4).toInt(nullptr, 16);
    QVERIFY2(key > previous, line.constData());
    QVERIFY2(!line.mid(5).split(' ').contains(line.left(4)), line.constData());
    previous = key;
  }
}

QString UniVariantsLine(const QByteArray& text, const QString& code) {
  for (const QByteArray& line : text.split('\n')) {
    if (line.startsWith(code.toLatin1() + '\t')) return QString::fromLatin1(line);
  }
  return {};
}

enum class Fault {
  kNoArguments,
  kUnknownOption,
  kMissingUnihanFolder,
  kNoUnihanFiles,
  kMissingDictionary,
  kTruncatedBzip2,
  kNotBzip2
};

}  // namespace

Q_DECLARE_METATYPE(Fault)

class MakeDataTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void rowPlacement_data();
  void rowPlacement();
  void rawValues_data();
  void rawValues();
  void noNullValues();
  void uniVariantLines_data();
  void uniVariantLines();
  void uniVariantsWholeFile();
  void rerunIsIdentical();
  void lenientInput();
  void failureKeepsOldOutputs_data();
  void failureKeepsOldOutputs();
  void realDataRowCounts();
  void realDataKnownRows_data();
  void realDataKnownRows();
  void realDataUniVariants();

 private:
  QString Out(const QString& name) const { return work_.path() + "/out/" + name; }
  static QString AppFile(const QString& name) {
    return QStringLiteral(QUILLFERN_APP_DIR "/") + name;
  }

  QTemporaryDir work_;
};

void MakeDataTest::initTestCase() {
  QVERIFY(work_.isValid());
  QVERIFY(QFile::exists(QStringLiteral(QUILLFERN_MAKE_DATA)));
  const Outcome outcome = RunOn(FixtureDir("unihan"), FixtureDir("opencc"), work_.path() + "/out");
  QVERIFY2(outcome.exit_code == 0, outcome.errors.constData());
  QCOMPARE(QDir(work_.path() + "/out").entryList(QDir::Files, QDir::Name), Sorted(kOutputs));
}

void MakeDataTest::rowPlacement_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<int>("database");  // index into kDatabases, -1 for none

  QTest::newRow("below the ranges") << "2E80" << -1;
  QTest::newRow("Extension A start") << "3400" << 0;
  QTest::newRow("unknown fields only") << "3401" << 0;
  QTest::newRow("4E00") << "4E00" << 0;
  QTest::newRow("end of file 1") << "4FFF" << 0;
  QTest::newRow("start of file 2") << "5000" << 1;
  QTest::newRow("second bzip2 stream") << "6FFF" << 1;
  QTest::newRow("start of file 3") << "7000" << 2;
  QTest::newRow("end of file 3") << "8FFF" << 2;
  QTest::newRow("lower-case code in source") << "9FA5" << 3;
  QTest::newRow("compatibility ideograph") << "F900" << 3;
  QTest::newRow("between the ranges") << "A000" << -1;
  QTest::newRow("Extension B start") << "20000" << 4;
  QTest::newRow("supplementary compatibility") << "2F800" << 4;
  QTest::newRow("six digits") << "100000" << -1;
}

void MakeDataTest::rowPlacement() {
  QFETCH(QString, code);
  QFETCH(int, database);
  for (int i = 0; i < kDatabases.size(); ++i) {
    QCOMPARE(QueryText(Out(kDatabases[i]), "SELECT count(*) FROM unihan WHERE code = ?", code),
             QString(i == database ? "1" : "0"));
  }
}

void MakeDataTest::rawValues_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("column");
  QTest::addColumn<QString>("value");

  // clang-format off
  QTest::newRow("source tail kept") << "hanzidata.rsd" << "4E00" << "kZVariant"
                                    << "U+4E0E<kMatthews";
  QTest::newRow("definition verbatim") << "hanzidata.rsd" << "4E00" << "kDefinition"
                                       << "one; a, an; alone";
  QTest::newRow("tone mark") << "hanzidata.rsd" << "4E00" << "kMandarin" << "yī";
  QTest::newRow("several items, self included") << "hanzidata.rsd" << "4E07"
                                                << "kTraditionalVariant" << "U+842C U+4E07";
  QTest::newRow("semantic variant") << "hanzidata2.rsd" << "570B" << "kSemanticVariant"
                                    << "U+56EF<kMeyerWempe";
  QTest::newRow("compatibility variant") << "hanzidata4.rsd" << "F900" << "kCompatibilityVariant"
                                         << "U+4E07";
  QTest::newRow("missing field empty") << "hanzidata.rsd" << "3400" << "kDefinition" << "";
  QTest::newRow("unknown fields only") << "hanzidata.rsd" << "3401" << "kMandarin" << "";
  QTest::newRow("bzip2 second stream") << "hanzidata2.rsd" << "6FFF" << "kDefinition"
                                       << "second bzip2 stream";
  QTest::newRow("lower-case code") << "hanzidata4.rsd" << "9FA5" << "kDefinition"
                                   << "written in lower case";
  // clang-format on
}

void MakeDataTest::rawValues() {
  QFETCH(QString, database);
  QFETCH(QString, code);
  QFETCH(QString, column);
  QFETCH(QString, value);
  QCOMPARE(Field(Out(database), code, column), value);
}

void MakeDataTest::noNullValues() {
  QString any_null = "SELECT count(*) FROM unihan WHERE 0";
  for (const char* column :
       {"kZVariant", "kSemanticVariant", "kSimplifiedVariant", "kTraditionalVariant", "kMandarin",
        "kCantonese", "kJapaneseKun", "kJapaneseOn", "kKorean", "kVietnamese", "kDefinition",
        "kCompatibilityVariant"}) {
    any_null += QStringLiteral(" OR typeof(%1) <> 'text'").arg(column);
  }
  for (const QString& database : kDatabases) {
    QCOMPARE(QueryText(Out(database), any_null), QString("0"));
  }
}

void MakeDataTest::uniVariantLines_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("line");  // empty: no line

  QTest::newRow("Unihan, OpenCC, compatibility in order, deduplicated, self left out")
      << "4E07"
      << "4E07\t842C 5F00 5343 534D 20000 F900 2F800";
  QTest::newRow("several OpenCC values, self left out") << "4E7E"
                                                        << "4E7E\t5E72 5E79";
  QTest::newRow("duplicate across Unihan and OpenCC") << "570B"
                                                      << "570B\t56FD 56EF";
  QTest::newRow("dictionary order, not value order") << "95DC"
                                                     << "95DC\t5173 95D7 95A2";
  QTest::newRow("only itself") << "5000"
                               << "";
  QTest::newRow("phrase key left out") << "842C"
                                       << "";
  QTest::newRow("semantic variants not listed") << "3400"
                                                << "";
}

void MakeDataTest::uniVariantLines() {
  QFETCH(QString, code);
  QFETCH(QString, line);
  QCOMPARE(UniVariantsLine(ReadBytes(Out("UniVariants")), code), line);
}

void MakeDataTest::uniVariantsWholeFile() {
  const QByteArray text = ReadBytes(Out("UniVariants"));
  VerifyUniVariantsShape(text);
  // Supplementary characters (U+20000, U+20001 via U+2F801) never get a line.
  QCOMPARE(text, QByteArray("4E07\t842C 5F00 5343 534D 20000 F900 2F800\n"
                            "4E7E\t5E72 5E79\n"
                            "570B\t56FD 56EF\n"
                            "95DC\t5173 95D7 95A2\n"));
}

void MakeDataTest::rerunIsIdentical() {
  const QString out = work_.path() + "/rerun";
  QCOMPARE(RunOn(FixtureDir("unihan"), FixtureDir("opencc"), out).exit_code, 0);
  const auto first = Snapshot(out);
  QCOMPARE(first.keys(), Sorted(kOutputs));
  QCOMPARE(RunOn(FixtureDir("unihan"), FixtureDir("opencc"), out).exit_code, 0);
  VerifySameFiles(Snapshot(out), first);
}

void MakeDataTest::lenientInput() {
  const QString root = work_.path() + "/lenient";
  WriteBytes(root + "/unihan/Unihan_Variants.txt",
             "U+4E00\tkDefinition\tone\r\n"
             "garbage line\r\n"
             "U+ZZZZ\tkDefinition\tnot hexadecimal\r\n"
             "U+110000\tkDefinition\tbeyond Unicode\r\n"
             "U+3402<kFoo\tkDefinition\tsource on the code\r\n"
             "U+3403\tkDefinition\r\n"
             "U+4E01\tkDefinition\tsecond\n"
             "U+4E00\tkDefinition\trepeated field\n");
  // Where both forms exist the plain file is read, so this broken archive is ignored.
  WriteBytes(root + "/unihan/Unihan_Readings.txt", "U+4E02\tkMandarin\tqí");
  WriteBytes(root + "/unihan/Unihan_Readings.txt.bz2", "not bzip2 at all");
  for (const QString& name : kDictionaries) WriteBytes(root + "/opencc/" + name + ".txt", "");
  WriteBytes(root + "/opencc/TSCharacters.txt",
             "\xff\t\xe5\x9b\xbd\r\n"                      // key not UTF-8
             "\xe5\x9c\x8b\t\xc0\xae \xe5\x9b\xbd\r\n"     // 國: overlong value, then 国
             "\xe5\x9c\x8b\xe5\xae\xb6\t\xe5\x9b\xbd\r\n"  // phrase key 國家
             "no tab here\n");

  const Outcome outcome = RunOn(root + "/unihan", root + "/opencc", root + "/out");
  QVERIFY2(outcome.exit_code == 0, outcome.errors.constData());
  QVERIFY2(outcome.errors.contains("skipped 5 malformed"), outcome.errors.constData());
  const QString first = root + "/out/hanzidata.rsd";
  QCOMPARE(RowCount(first), 3);
  QCOMPARE(Field(first, "4E00", "kDefinition"), QString("one"));
  QCOMPARE(Field(first, "4E01", "kDefinition"), QString("second"));
  QCOMPARE(Field(first, "4E02", "kMandarin"), QString("qí"));
  QCOMPARE(ReadBytes(root + "/out/UniVariants"), QByteArray("570B\t56FD\n"));
}

void MakeDataTest::failureKeepsOldOutputs_data() {
  QTest::addColumn<Fault>("fault");
  QTest::addColumn<int>("exit_code");

  QTest::newRow("no arguments") << Fault::kNoArguments << 2;
  QTest::newRow("unknown option") << Fault::kUnknownOption << 2;
  QTest::newRow("missing Unihan folder") << Fault::kMissingUnihanFolder << 1;
  QTest::newRow("no Unihan files") << Fault::kNoUnihanFiles << 1;
  QTest::newRow("missing dictionary dump") << Fault::kMissingDictionary << 1;
  QTest::newRow("truncated bzip2") << Fault::kTruncatedBzip2 << 1;
  QTest::newRow("not bzip2") << Fault::kNotBzip2 << 1;
}

void MakeDataTest::failureKeepsOldOutputs() {
  QFETCH(Fault, fault);
  QFETCH(int, exit_code);

  QTemporaryDir root;
  QVERIFY(root.isValid());
  const QString unihan = root.path() + "/unihan";
  const QString opencc = root.path() + "/opencc";
  const QString out = root.path() + "/out";
  CopyFolder(FixtureDir("unihan"), unihan);
  CopyFolder(FixtureDir("opencc"), opencc);
  QCOMPARE(RunOn(unihan, opencc, out).exit_code, 0);
  const auto before = Snapshot(out);

  const QString archive = unihan + "/Unihan_OtherMappings.txt.bz2";
  QStringList arguments = {"--unihan-dir", unihan, "--opencc-dir", opencc, "--out", out};
  switch (fault) {
    case Fault::kNoArguments:
      arguments.clear();
      break;
    case Fault::kUnknownOption:
      arguments << "--fast";
      break;
    case Fault::kMissingUnihanFolder:
      arguments[1] = root.path() + "/absent";
      break;
    case Fault::kNoUnihanFiles:
      arguments[1] = opencc;
      break;
    case Fault::kMissingDictionary:
      QVERIFY(QFile::remove(opencc + "/JPShinjitaiCharacters.txt"));
      break;
    case Fault::kTruncatedBzip2:
      WriteBytes(archive, ReadBytes(archive).chopped(20));
      break;
    case Fault::kNotBzip2:
      WriteBytes(archive, "U+4E00\tkDefinition\tplain text under a .bz2 name\n");
      break;
  }
  const Outcome outcome = RunMakeData(arguments);
  QCOMPARE(outcome.exit_code, exit_code);
  QVERIFY(!outcome.errors.isEmpty());
  // Old outputs untouched and no temporary file left behind.
  VerifySameFiles(Snapshot(out), before);
}

void MakeDataTest::realDataRowCounts() {
  for (const QString& name : kOutputs) {
    if (!QFile::exists(AppFile(name))) QSKIP("the build has not generated the character data");
  }
  int total = 0;
  for (const QString& database : kDatabases) {
    const int rows = RowCount(AppFile(database));
    qInfo("%s: %d rows", qPrintable(database), rows);
    QVERIFY2(rows > 0, qPrintable(database));
    total += rows;
  }
  qInfo("UniVariants: %lld lines",
        static_cast<long long>(ReadBytes(AppFile("UniVariants")).count('\n')));
  QVERIFY(total > 90000);  // Unihan 15 lists nearly 100 000 ideographs in these ranges
}

void MakeDataTest::realDataKnownRows_data() {
  QTest::addColumn<QString>("database");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("column");
  QTest::addColumn<QString>("contains");

  // clang-format off
  QTest::newRow("國 reading") << "hanzidata2.rsd" << "570B" << "kMandarin" << "guó";
  QTest::newRow("國 definition") << "hanzidata2.rsd" << "570B" << "kDefinition" << "nation";
  QTest::newRow("一 definition") << "hanzidata.rsd" << "4E00" << "kDefinition" << "one";
  QTest::newRow("Extension B first row") << "hanzidata5.rsd" << "20000" << "code" << "20000";
  QTest::newRow("compatibility ideograph") << "hanzidata4.rsd" << "F900"
                                           << "kCompatibilityVariant" << "U+8C48";
  // clang-format on
}

void MakeDataTest::realDataKnownRows() {
  QFETCH(QString, database);
  QFETCH(QString, code);
  QFETCH(QString, column);
  QFETCH(QString, contains);
  if (!QFile::exists(AppFile(database))) QSKIP("the build has not generated the character data");
  const QString value = Field(AppFile(database), code, column);
  QVERIFY2(value.contains(contains), qPrintable(code + ": " + value));
  if (column == "kMandarin") QCOMPARE(value, contains);
}

void MakeDataTest::realDataUniVariants() {
  if (!QFile::exists(AppFile("UniVariants"))) {
    QSKIP("the build has not generated the character data");
  }
  const QByteArray text = ReadBytes(AppFile("UniVariants"));
  VerifyUniVariantsShape(text);
  const QString line = UniVariantsLine(text, "570B");
  QVERIFY2(line.mid(5).split(' ').contains("56FD"), qPrintable(line));
}

QTEST_GUILESS_MAIN(MakeDataTest)
#include "tst_make_data.moc"
