// The lookup: what the query button draws and starts, and what the worker
// writes for each outcome, on small fixture databases and on the real data.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>

#include "framework/canvas.h"
#include "framework/chasing_arrows.h"
#include "framework/edit_field.h"
#include "framework/message_box.h"
#include "framework/static_text.h"
#include "framework/thread.h"
#include "lookup/query.h"
#include "support/app_fixture.h"
#include "support/characters.h"
#include "support/fixture_databases.h"
#include "support/own_bus.h"
#include "support/watched_pipe.h"
#include "support/yield_slice.h"

namespace {

const char* const kReadingFields[] = {"MandarinField",   "CantoneseField", "JapaneseKunField",
                                      "JapaneseOnField", "KoreanField",    "VietnameseField",
                                      "DefinitionField"};

QStringList Readings(const AppFixture& app) {
  QStringList texts;
  for (const char* field : kReadingFields) texts << app.Control<fw::EditField>(field).Text();
  return texts;
}

void SetReadings(const AppFixture& app, const QString& text) {
  for (const char* field : kReadingFields) app.Control<fw::EditField>(field).SetText(text);
}

QStringList SevenTimes(const QString& text) { return QStringList(std::size(kReadingFields), text); }

// Written out, not taken from the program, so that a typo in it shows.
QString NotFound() { return QStringLiteral("您輸入的字並非漢字、或未收錄於本程式的資料庫中。"); }

// The row of 一, stored under `code`, and the readings it shows.
UnihanRow YiRow(const QString& code = "4E00") {
  return {.code = code,
          .zVariant = "U+5F0C<kMatthews",
          .semanticVariant = "U+58F9<kFenn",
          .simplifiedVariant = "U+4E00",
          .mandarin = "yī",
          .cantonese = "jat1",
          .japaneseKun = "HITOTSU",
          .japaneseOn = "ICHI ITSU",
          .korean = "IL",
          .vietnamese = "nhất",
          .definition = "one; a, an; alone"};
}
const QStringList kYiReadings = {"yī", "jat1", "HITOTSU",          "ICHI ITSU",
                                 "IL", "nhất", "one; a, an; alone"};

// 一 and one character in each of the other databases; 丁 (4E01) is in none.
bool WriteStandardData(FixtureFolder& folder) {
  const std::pair<const char*, UnihanRow> rows[] = {
      {"hanzidata.rsd", YiRow()},
      {"hanzidata2.rsd", {.code = "5000", .definition = "5000 row"}},
      {"hanzidata3.rsd", {.code = "8FFF", .definition = "8FFF row"}},
      {"hanzidata4.rsd", {.code = "9FA5", .definition = "9FA5 row"}},
      {"hanzidata5.rsd",
       {.code = "20000",
        .zVariant = "U+4E00",
        .definition = "20000 row",
        .compatibilityVariant = "U+2F800"}},
  };
  for (const auto& [name, row] : rows)
    if (!folder.WriteDatabase(name, {row})) return false;
  return folder.WriteFile("UniVariants", "4E00\t5F0C\n4E01\t4E05\n5000\t4F25\n8FFF\t8FE9\n");
}

// Reports every hide of a widget to a function.
class HideWatcher : public QObject {
 public:
  HideWatcher(QWidget* widget, std::function<void()> onHide) : onHide_(std::move(onHide)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Hide) onHide_();
    return false;
  }

 private:
  std::function<void()> onHide_;
};

int DarkPixels(const QImage& image, const QRect& area) {
  int dark = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qAlpha(image.pixel(x, y)) == 255 && qGray(image.pixel(x, y)) < 96) ++dark;
  return dark;
}

}  // namespace

class LookupTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void cleanup() { RestoreUsualYieldSlice(); }

  void theWellShowsTheFirstCharacter_data();
  void theWellShowsTheFirstCharacter();
  void theDrawingSurvivesRepaints();
  void pushShowsTheSpinnerUntilTheWorkerEnds();
  void aLongTableScanReturnsToTheLoop();
  void outcomes_data();
  void outcomes();
  void eachCodeGoesToItsOwnDatabase_data();
  void eachCodeGoesToItsOwnDatabase();
  void variantOrder_data();
  void variantOrder();
  void theNewestLookupWins_data();
  void theNewestLookupWins();
  void aFailingWorkerHidesTheSpinnerAndReports();
  void theMessageBoxWaitsWhileTheWindowStaysLive();
  void realData_data();
  void realData();
};

void LookupTest::theWellShowsTheFirstCharacter_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<bool>("glyph");
  QTest::newRow("one character") << Chars({0x570B}) << Chars({0x570B}) << true;
  QTest::newRow("several characters") << Chars({0x570B, 0x4E00}) << Chars({0x570B}) << true;
  QTest::newRow("surrogate pair kept whole")
      << Chars({0x20000, 0x4E00}) << Chars({0x20000}) << true;
  QTest::newRow("empty field") << QString() << QString() << false;
}

void LookupTest::theWellShowsTheFirstCharacter() {
  QFETCH(QString, text);
  QFETCH(QString, shown);
  QFETCH(bool, glyph);
  AppFixture app;
  const fw::Canvas& well = app.Control<fw::Canvas>("Canvas1");
  // Something drawn before must be covered by the new strip.
  app.LookUp(Chars({0x9F98}));
  app.LookUp(text);

  QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), shown);
  const QImage drawing = well.Drawing();
  QCOMPARE(drawing.size(), QSize(52, 63));
  const QRgb grey = qRgb(242, 242, 242);
  for (const QPoint corner : {QPoint(0, 0), QPoint(51, 0), QPoint(51, 51), QPoint(0, 51)})
    QCOMPARE(drawing.pixel(corner), grey);
  QCOMPARE(DarkPixels(drawing, QRect(0, 52, 52, 11)), 0);  // below the strip: untouched
  QCOMPARE(qAlpha(drawing.pixel(0, 52)), 0);
  const int dark = DarkPixels(drawing, QRect(0, 0, 52, 52));
  if (glyph) {
    QVERIFY2(dark > 40, qPrintable(QString::number(dark)));
    // The strip starts again for each character: only the first one shows.
    app.LookUp(shown);
    QCOMPARE(well.Drawing(), drawing);
  } else {
    QCOMPARE(dark, 0);
  }
}

void LookupTest::theDrawingSurvivesRepaints() {
  AppFixture app;
  fw::Canvas& well = app.Control<fw::Canvas>("Canvas1");
  app.LookUp(Chars({0x570B}));
  const QImage drawn = well.Drawing();
  well.Widget()->repaint();
  QCOMPARE(well.Drawing(), drawn);
  // What the widget shows carries the glyph too.
  const QImage shown = well.Widget()->grab().toImage().convertToFormat(QImage::Format_ARGB32);
  QVERIFY(DarkPixels(shown, QRect(0, 0, 52, 52)) > 40);
  QCOMPARE(shown.pixel(51, 0), qRgb(242, 242, 242));
}

void LookupTest::pushShowsTheSpinnerUntilTheWorkerEnds() {
  FixtureFolder folder;
  QVERIFY(WriteStandardData(folder));
  AppFixture app(folder.Path());
  const fw::ChasingArrows& spinner = app.Control<fw::ChasingArrows>("ChasingArrows1");
  QVERIFY(!spinner.Visible());
  app.Control<fw::EditField>("ZVariantField").SetText("stale");
  fw::SetYieldSlice(std::chrono::microseconds(0));  // the worker stops at its first yield
  app.StartLookUp(Chars({0x4E00}));

  QCOMPARE(fw::Thread::Running(), 1);
  QVERIFY(spinner.Visible());
  QVERIFY(spinner.Turning());
  QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), "Unicode: 4E00");
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), QString());
  QVERIFY(AppFixture::WaitForLookups());
  QVERIFY(!spinner.Visible());
  QVERIFY(!spinner.Turning());
  QCOMPARE(app.Control<fw::EditField>("DefinitionField").Text(), "one; a, an; alone");
}

void LookupTest::aLongTableScanReturnsToTheLoop() {
  FixtureFolder folder;
  QVERIFY(WriteStandardData(folder));
  QByteArray table;
  for (int i = 0; i < 30000; ++i) table += "3400\t3401\n";
  QVERIFY(folder.WriteFile("UniVariants", table + "4E00\t5F0C\n"));
  AppFixture app(folder.Path());
  fw::SetYieldSlice(std::chrono::microseconds(50));  // far shorter than the scan
  app.StartLookUp(Chars({0x4E00}));
  QCOMPARE(fw::Thread::Running(), 1);
  QVERIFY(AppFixture::WaitForLookups());
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), Chars({0x5F0C, 0x58F9}));
}

enum class Damage {
  None,
  Removed,
  NotADatabase,
  EmptyFile,
  CutShort,
  NoTable,
  NoCompatColumn,
  NamedPipe,
  Folder
};

void LookupTest::outcomes_data() {
  QTest::addColumn<QString>("file");  // the database damaged
  QTest::addColumn<Damage>("damage");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("variants");
  QTest::addColumn<QStringList>("readings");  // "kept": the previous texts
  QTest::addColumn<QStringList>("messages");

  const QStringList kept = SevenTimes("kept");
  const QString yi = Chars({0x4E00});
  QTest::newRow("a row") << "" << Damage::None << yi << "4E00" << Chars({0x5F0C, 0x58F9})
                         << kYiReadings << QStringList();
  QTest::newRow("a row, four-digit file without kCompatibilityVariant")
      << "hanzidata.rsd" << Damage::NoCompatColumn << yi << "4E00" << Chars({0x5F0C, 0x58F9})
      << kYiReadings << QStringList();
  QTest::newRow("a row with empty columns")
      << "" << Damage::None << Chars({0x9FA5}) << "9FA5" << QString()
      << QStringList{"", "", "", "", "", "", "9FA5 row"} << QStringList();
  QTest::newRow("no row: the message") << "" << Damage::None << Chars({0x4E01}) << "4E01"
                                       << Chars({0x4E05}) << kept << QStringList{NotFound()};
  QTest::newRow("missing file") << "hanzidata2.rsd" << Damage::Removed << Chars({0x5000}) << "5000"
                                << Chars({0x4F25}) << kept << QStringList();
  QTest::newRow("named pipe") << "hanzidata.rsd" << Damage::NamedPipe << yi << "4E00"
                              << Chars({0x5F0C}) << kept << QStringList();
  QTest::newRow("folder") << "hanzidata2.rsd" << Damage::Folder << Chars({0x5000}) << "5000"
                          << Chars({0x4F25}) << kept << QStringList();
  QTest::newRow("not a database") << "hanzidata2.rsd" << Damage::NotADatabase << Chars({0x5000})
                                  << "5000" << Chars({0x4F25}) << kept << QStringList();
  QTest::newRow("empty file") << "hanzidata2.rsd" << Damage::EmptyFile << Chars({0x5000}) << "5000"
                              << Chars({0x4F25}) << kept << QStringList();
  QTest::newRow("database cut short") << "hanzidata2.rsd" << Damage::CutShort << Chars({0x5000})
                                      << "5000" << Chars({0x4F25}) << kept << QStringList();
  QTest::newRow("no unihan table") << "hanzidata3.rsd" << Damage::NoTable << Chars({0x8FFF})
                                   << "8FFF" << Chars({0x8FE9}) << kept << QStringList();
  QTest::newRow("failed query: five-digit file without kCompatibilityVariant")
      << "hanzidata5.rsd" << Damage::NoCompatColumn << Chars({0x20000}) << "20000" << QString()
      << kept << QStringList();
  QTest::newRow("no database for the code")
      << "" << Damage::None << Chars({0x100000}) << "100000" << QString() << kept << QStringList();
}

void LookupTest::outcomes() {
  QFETCH(QString, file);
  QFETCH(Damage, damage);
  QFETCH(QString, text);
  QFETCH(QString, code);
  QFETCH(QString, variants);
  QFETCH(QStringList, readings);
  QFETCH(QStringList, messages);

  FixtureFolder folder;
  QVERIFY(WriteStandardData(folder));
  std::optional<WatchedPipe> pipe;
  switch (damage) {
    case Damage::None:
      break;
    case Damage::Removed:
      QVERIFY(folder.Remove(file));
      break;
    case Damage::NotADatabase:
      QVERIFY(folder.WriteFile(file, QByteArray("5000\tnot a database\n").repeated(300)));
      break;
    case Damage::EmptyFile:
      QVERIFY(folder.WriteFile(file, {}));
      break;
    case Damage::NamedPipe:
      QVERIFY(folder.Remove(file));
      pipe.emplace(folder.FilePath(file));
      QVERIFY(pipe->Made());
      break;
    case Damage::Folder:
      QVERIFY(folder.Remove(file));
      QVERIFY(QDir(folder.Path()).mkdir(file));
      break;
    case Damage::CutShort: {
      // Enough rows that the file cut to its first page lacks the table's pages.
      QList<UnihanRow> many;
      for (int i = 0; i < 400; ++i)
        many.append(
            {.code = QString::number(0x5000 + i, 16).toUpper(), .definition = QString(80, u'x')});
      QVERIFY(folder.WriteDatabase(file, many));
      QFile database(folder.FilePath(file));
      QVERIFY(database.size() > 8192);
      QVERIFY(database.resize(4096));
      break;
    }
    case Damage::NoTable:
      QVERIFY(folder.WriteDatabase(file, {}, UnihanTable::Missing));
      break;
    case Damage::NoCompatColumn:
      QVERIFY(folder.WriteDatabase(file, {YiRow(file == "hanzidata5.rsd" ? "20000" : "4E00")},
                                   UnihanTable::WithoutCompatibilityColumn));
      break;
  }

  AppFixture app(folder.Path());
  SetReadings(app, "kept");
  app.LookUp(text);

  QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), "Unicode: " + code);
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), variants);
  QCOMPARE(Readings(app), readings);
  QCOMPARE(app.messages, messages);
  QVERIFY(!app.Control<fw::ChasingArrows>("ChasingArrows1").Visible());
  if (pipe) QVERIFY(!pipe->ReaderWasStuck());
}

void LookupTest::eachCodeGoesToItsOwnDatabase_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("database");  // "" for none: nothing asked, nothing said

  const auto row = [](const char* name, std::initializer_list<char32_t> text, const char* code,
                      const char* database) {
    QTest::newRow(name) << Chars(text) << QString(code) << QString(database);
  };
  row("3400", {0x3400}, "3400", "hanzidata.rsd");
  row("4E00", {0x4E00}, "4E00", "hanzidata.rsd");
  row("4FFF", {0x4FFF}, "4FFF", "hanzidata.rsd");
  row("5000", {0x5000}, "5000", "hanzidata2.rsd");
  row("6FFF", {0x6FFF}, "6FFF", "hanzidata2.rsd");
  row("7000", {0x7000}, "7000", "hanzidata3.rsd");
  row("8FFF", {0x8FFF}, "8FFF", "hanzidata3.rsd");
  row("9000", {0x9000}, "9000", "hanzidata4.rsd");
  row("9FA5", {0x9FA5}, "9FA5", "hanzidata4.rsd");
  row("F900", {0xF900}, "F900", "hanzidata4.rsd");
  row("20000", {0x20000}, "20000", "hanzidata5.rsd");
  row("2A700", {0x2A700}, "2A700", "hanzidata5.rsd");
  row("only the first of several", {0x4E00, 0x5000, 0x20000}, "4E00", "hanzidata.rsd");
  row("surrogate pair first", {0x20000, 0x4E00}, "20000", "hanzidata5.rsd");
  row("A", {0x41}, "0041", "");
  row("Hangul syllable", {0xAC00}, "AC00", "");
  row("CJK radical", {0x2E80}, "2E80", "");
  row("private use", {0xE000}, "E000", "");
  row("100000", {0x100000}, "100000", "");
  row("empty field", {}, "", "");
}

void LookupTest::eachCodeGoesToItsOwnDatabase() {
  QFETCH(QString, text);
  QFETCH(QString, code);
  QFETCH(QString, database);

  // Every file holds every code, each row naming its file.
  FixtureFolder folder;
  for (const QString& name : DatabaseFileNames()) {
    QList<UnihanRow> rows;
    for (const char* c : {"3400", "4E00", "4FFF", "5000", "6FFF", "7000", "8FFF", "9000", "9FA5",
                          "F900", "20000", "2A700", "0041", "AC00", "2E80", "E000", "100000", ""})
      rows.append({.code = c, .mandarin = c, .definition = name});
    QVERIFY(folder.WriteDatabase(name, rows));
  }
  AppFixture app(folder.Path());
  SetReadings(app, "kept");
  app.LookUp(text);

  QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), "Unicode: " + code);
  QCOMPARE(app.Control<fw::EditField>("DefinitionField").Text(),
           database.isEmpty() ? "kept" : database);
  QCOMPARE(app.Control<fw::EditField>("MandarinField").Text(), database.isEmpty() ? "kept" : code);
  QVERIFY(app.messages.isEmpty());
  QVERIFY(!app.Control<fw::ChasingArrows>("ChasingArrows1").Visible());
}

void LookupTest::variantOrder_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QByteArray>("uniVariants");
  QTest::addColumn<QString>("zVariant");
  QTest::addColumn<QString>("semantic");
  QTest::addColumn<QString>("compatibility");
  QTest::addColumn<QString>("variants");

  const QString yi = Chars({0x4E00});
  const QString sup = Chars({0x20000});
  QTest::newRow("supplementary, new Z, new semantic")
      << yi << QByteArray("4E00\t5F0C 58F9\n") << "U+5E7A<kMatthews U+5F0C"
      << "U+58F9<kFenn U+4E4B"
      << "U+F900" << Chars({0x5F0C, 0x58F9, 0x5E7A, 0x4E4B});
  QTest::newRow("a Z-variant is not repeated")
      << yi << QByteArray("4E00\t5F0C\n") << "U+5F0C U+5F0C U+58F9"
      << "U+58F9 U+5F0C"
      << "" << Chars({0x5F0C, 0x58F9});
  QTest::newRow("four digits: no compatibility variants") << yi << QByteArray() << ""
                                                          << ""
                                                          << "U+F900" << QString();
  QTest::newRow("variant columns all empty") << yi << QByteArray("4E00\t5F0C\n") << ""
                                             << ""
                                             << "" << Chars({0x5F0C});
  QTest::newRow("nothing anywhere") << yi << QByteArray() << ""
                                    << ""
                                    << "" << QString();
  QTest::newRow("supplementary variant items") << yi << QByteArray() << "U+20000<kHanYu U+2A6D6"
                                               << "U+20000"
                                               << "" << Chars({0x20000, 0x2A6D6});
  QTest::newRow("five digits: compatibility after, always appended")
      << sup << QByteArray("2000\t4E00\n") << "U+4E00<kFoo"
      << "U+4E01 U+4E00"
      << "U+4E00 U+2F800 U+2F800" << Chars({0x4E00, 0x4E01, 0x4E00, 0x2F800, 0x2F800});
  QTest::newRow("five digits: only compatibility") << sup << QByteArray() << ""
                                                   << ""
                                                   << "U+2F800" << Chars({0x2F800});
}

void LookupTest::variantOrder() {
  QFETCH(QString, text);
  QFETCH(QByteArray, uniVariants);
  QFETCH(QString, zVariant);
  QFETCH(QString, semantic);
  QFETCH(QString, compatibility);
  QFETCH(QString, variants);

  FixtureFolder folder;
  const UnihanRow row{.code = text.size() == 1 ? "4E00" : "20000",
                      .zVariant = zVariant,
                      .semanticVariant = semantic,
                      .simplifiedVariant = "U+4E09",  // never shown among the variants
                      .traditionalVariant = "U+4E09",
                      .definition = "row",
                      .compatibilityVariant = compatibility};
  QVERIFY(folder.WriteDatabase(text.size() == 1 ? "hanzidata.rsd" : "hanzidata5.rsd", {row}));
  QVERIFY(folder.WriteFile("UniVariants", uniVariants));
  AppFixture app(folder.Path());
  app.LookUp(text);

  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), variants);
  QCOMPARE(app.Control<fw::EditField>("DefinitionField").Text(), "row");
  QVERIFY(app.messages.isEmpty());
}

// Where the first worker is when the second push comes.
enum class FirstWorker { ReadingTable, AppendingVariants, AtMessageBox };

void LookupTest::theNewestLookupWins_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<FirstWorker>("state");
  QTest::newRow("while the first reads the table") << Chars({0x570B}) << FirstWorker::ReadingTable;
  QTest::newRow("while the first appends variants")
      << Chars({0x570B}) << FirstWorker::AppendingVariants;
  QTest::newRow("a first that would find no row") << Chars({0x4E01}) << FirstWorker::ReadingTable;
  QTest::newRow("a first waiting at its message box")
      << Chars({0x4E01}) << FirstWorker::AtMessageBox;
}

void LookupTest::theNewestLookupWins() {
  QFETCH(QString, first);
  QFETCH(FirstWorker, state);

  FixtureFolder folder;
  QVERIFY(WriteStandardData(folder));
  // 國 with many variants, so that its worker yields often while appending.
  QString many;
  for (int i = 0; i < 30; ++i) many += QStringLiteral("U+%1 ").arg(0x5700 + i, 0, 16);
  QVERIFY(folder.WriteDatabase("hanzidata2.rsd", {{.code = "570B",
                                                   .zVariant = many.trimmed(),
                                                   .mandarin = "guó",
                                                   .definition = "nation, country"}}));
  AppFixture app(folder.Path());
  const fw::ChasingArrows& spinner = app.Control<fw::ChasingArrows>("ChasingArrows1");
  QStringList shownAtHide;  // variants and definition each time the spinner goes
  HideWatcher watcher(spinner.Widget(), [&] {
    shownAtHide << app.Control<fw::EditField>("ZVariantField").Text() + " " +
                       app.Control<fw::EditField>("DefinitionField").Text();
  });

  if (state == FirstWorker::AtMessageBox)
    fw::SetMessageHandler({});  // a real box
  else
    fw::SetYieldSlice(std::chrono::microseconds(0));
  app.StartLookUp(first);
  if (state == FirstWorker::AppendingVariants) {
    const fw::EditField& mandarin = app.Control<fw::EditField>("MandarinField");
    // One step of the worker at a time, until it has written its readings.
    for (int turn = 0; turn < 1000 && mandarin.Text() != "guó"; ++turn)
      QCoreApplication::processEvents();
    QCOMPARE(mandarin.Text(), "guó");
    QVERIFY2(app.Control<fw::EditField>("ZVariantField").Text().size() < 30, "first worker ended");
  }
  QCOMPARE(fw::Thread::Running(), 1);
  fw::SetYieldSlice(std::chrono::microseconds(0));
  app.StartLookUp(Chars({0x4E00}));
  QVERIFY(spinner.Visible());
  if (state == FirstWorker::AtMessageBox) {
    // Dismissed while the second is still at work: the first must leave the spinner alone.
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    QCOMPARE(box->text(), NotFound());
    box->accept();
  }
  QVERIFY(AppFixture::WaitForLookups());

  QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), "Unicode: 4E00");
  QCOMPARE(app.Control<fw::StaticText>("CurrentText").Caption(), Chars({0x4E00}));
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), Chars({0x5F0C, 0x58F9}));
  QCOMPARE(Readings(app), kYiReadings);
  QVERIFY(app.messages.isEmpty());
  QVERIFY(!spinner.Visible());
  // Hidden once, by the newest worker, after it wrote all its results.
  QCOMPARE(shownAtHide, QStringList{Chars({0x5F0C, 0x58F9}) + " one; a, an; alone"});
}

void LookupTest::aFailingWorkerHidesTheSpinnerAndReports() {
  FixtureFolder folder;
  QVERIFY(WriteStandardData(folder));
  AppFixture app(folder.Path());
  SetReadings(app, "kept");
  App::Instance()->hanzidata.reset();  // the connection is gone: a nil object
  app.LookUp(Chars({0x4E00}));

  QVERIFY(!app.Control<fw::ChasingArrows>("ChasingArrows1").Visible());
  QCOMPARE(app.messages.size(), 1);
  QVERIFY2(app.messages[0].startsWith("An exception of class NilObjectException was not handled."),
           qPrintable(app.messages[0]));
  QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), "Unicode: 4E00");
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), Chars({0x5F0C}));
  QCOMPARE(Readings(app), SevenTimes("kept"));
  // The next lookup works as ever.
  app.LookUp(Chars({0x5000}));
  QCOMPARE(app.Control<fw::EditField>("DefinitionField").Text(), "5000 row");
  QCOMPARE(app.messages.size(), 1);
}

void LookupTest::theMessageBoxWaitsWhileTheWindowStaysLive() {
  FixtureFolder folder;
  QVERIFY(WriteStandardData(folder));
  AppFixture app(folder.Path());
  fw::SetMessageHandler({});  // a real box
  SetReadings(app, "kept");
  const fw::ChasingArrows& spinner = app.Control<fw::ChasingArrows>("ChasingArrows1");

  int ticks = 0;
  QTimer ticker;
  ticker.setInterval(5);
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start();
  QString boxText;
  bool spinnerWhileOpen = false;
  int ticksAtOpen = -1;
  int ticksWhileOpen = 0;
  // Waits for the box however long the lookup takes to get there, then keeps
  // it open until the other timer has fired a few times.
  QTimer watcher;
  watcher.setInterval(10);
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    if (ticksAtOpen < 0) {
      ticksAtOpen = ticks;
      boxText = box->text();
      spinnerWhileOpen = spinner.Visible() && spinner.Turning();
    } else if (ticks - ticksAtOpen >= 5) {
      ticksWhileOpen = ticks - ticksAtOpen;
      box->accept();
    }
  });
  watcher.start();
  app.StartLookUp(Chars({0x4E01}));
  QCOMPARE(fw::Thread::Running(), 1);  // waiting for the box
  QVERIFY(AppFixture::WaitForLookups(20000));

  QCOMPARE(boxText, NotFound());
  QVERIFY(spinnerWhileOpen);
  QVERIFY2(ticksWhileOpen >= 5, qPrintable(QString::number(ticksWhileOpen)));
  QVERIFY(!spinner.Visible());
  QCOMPARE(Readings(app), SevenTimes("kept"));
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), Chars({0x4E05}));
}

void LookupTest::realData_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("variants");
  QTest::addColumn<QString>("mandarin");  // "kept" when nothing is found
  QTest::addColumn<bool>("notFound");

  // UniVariants first, then the row's semantic variants unless already shown.
  QTest::newRow("國") << Chars({0x570B}) << "570B" << Chars({0x56FD, 0x56EF}) << "guó" << false;
  QTest::newRow("一") << Chars({0x4E00}) << "4E00" << Chars({0x58F9, 0x5F0C}) << "yī" << false;
  QTest::newRow("U+20000") << Chars({0x20000}) << "20000" << QString() << "hē" << false;
  QTest::newRow("compatibility ideograph")
      << Chars({0x2F800}) << "2F800" << Chars({0x4E3D}) << "" << false;
  QTest::newRow("ideographic full stop")
      << Chars({0x3002}) << "3002" << QString() << "kept" << true;
  QTest::newRow("U+FFFF") << Chars({0xFFFF}) << "FFFF" << QString() << "kept" << true;
  QTest::newRow("Latin letter") << "a"
                                << "0061" << QString() << "kept" << false;
}

void LookupTest::realData() {
  QFETCH(QString, text);
  QFETCH(QString, code);
  QFETCH(QString, variants);
  QFETCH(QString, mandarin);
  QFETCH(bool, notFound);

  const QStringList files = DatabaseFileNames() << "UniVariants";
  for (const QString& name : files)
    QVERIFY2(QFile::exists(RealDataFolder() + "/" + name),
             qPrintable(name + " missing: build the character-data target"));
  AppFixture app(RealDataFolder());
  SetReadings(app, "kept");
  app.LookUp(text);

  QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), "Unicode: " + code);
  QCOMPARE(app.Control<fw::EditField>("ZVariantField").Text(), variants);
  QCOMPARE(app.Control<fw::EditField>("MandarinField").Text(), mandarin);
  QCOMPARE(app.messages, notFound ? QStringList{NotFound()} : QStringList());
  QVERIFY(!app.Control<fw::ChasingArrows>("ChasingArrows1").Visible());
}

QTEST_MAIN(LookupTest)
#include "tst_lookup.moc"
