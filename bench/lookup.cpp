// Lookup latency on the real main window and data, against a floor of the
// same work done directly; the longest event-loop stall while lookups run;
// start-up time; peak memory, against a floor of the same characters drawn by
// a bare window (drawing_floor). Usage: lookup [application folder] (default:
// the build's). Run with QT_QPA_PLATFORM=offscreen. Prints one JSON line.
// Targets: median <= 2 ms, p99 <= 10 ms, ratio to floor <= 5, stall <= 8 ms,
// start-up <= 200 ms, peak memory <= 1.5 times the drawing floor's.
#include <sqlite3.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "app/app.h"
#include "app/start_up.h"
#include "bench/support/draw_list.h"
#include "bench/support/memory_floor.h"
#include "bench/support/process_memory.h"
#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/folders.h"
#include "framework/message_box.h"
#include "framework/push_button.h"
#include "framework/runtime.h"
#include "framework/static_text.h"
#include "framework/thread.h"
#include "lookup/code_text.h"
#include "lookup/database_group.h"
#include "lookup/moravel_variants.h"
#include "main_window/main_window.h"

namespace {

const QStringList kDatabases = {"hanzidata.rsd", "hanzidata2.rsd", "hanzidata3.rsd",
                                "hanzidata4.rsd", "hanzidata5.rsd"};
constexpr int kPerDatabase = 1000;
constexpr double kMemoryRatioTarget = 1.5;

// Every n-th code of a database, kPerDatabase in all.
std::vector<char32_t> SampleCodes(const QString& path) {
  std::vector<char32_t> all;
  sqlite3* db = nullptr;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
          SQLITE_OK &&
      sqlite3_prepare_v2(db, "select code from unihan order by code", -1, &stmt, nullptr) ==
          SQLITE_OK) {
    while (sqlite3_step(stmt) == SQLITE_ROW)
      all.push_back(char32_t(QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)))
                                 .toUInt(nullptr, 16)));
  }
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  std::vector<char32_t> sample;
  const size_t step = std::max<size_t>(1, all.size() / kPerDatabase);
  for (size_t i = 0; i < all.size() && sample.size() < size_t(kPerDatabase); i += step)
    sample.push_back(all[i]);
  return sample;
}

// Characters no database is asked for, and some in a database's range but absent.
std::vector<char32_t> OtherCharacters() {
  std::vector<char32_t> others;
  for (char32_t c = 0x21; c < 0x7F; ++c) others.push_back(c);               // ASCII
  for (char32_t c = 0xAC00; c < 0xAC00 + 150; ++c) others.push_back(c);     // Hangul
  for (char32_t c = 0x3041; c < 0x3041 + 80; ++c) others.push_back(c);      // kana
  for (char32_t c = 0x3000; c < 0x3020; ++c) others.push_back(c);           // punctuation
  for (char32_t c = 0x1F600; c < 0x1F600 + 50; ++c) others.push_back(c);    // emoji
  for (char32_t c = 0x100000; c < 0x100000 + 10; ++c) others.push_back(c);  // private use
  return others;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Percentile99(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[std::min(v.size() - 1, size_t(double(v.size()) * 0.99))];
}

// One lookup through the window: from the push until every worker is done.
// What the lookup left to the event loop (repaints) runs afterwards, untimed,
// as it would between two pushes.
double TimedLookup(fw::EditField& field, fw::PushButton& button, const QString& text) {
  field.SetText(text);
  QElapsedTimer timer;
  timer.start();
  button.Push();
  while (fw::Thread::Running() > 0) QCoreApplication::processEvents(QEventLoop::AllEvents);
  const double ms = double(timer.nsecsElapsed()) / 1e6;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return ms;
}

// Lookups back to back from the event loop, each started once the last one
// ended, while a 1 ms timer measures the gaps between its firings.
double LongestStall(fw::EditField& field, fw::PushButton& button,
                    const std::vector<QString>& texts) {
  QEventLoop loop;
  size_t next = 0;
  QTimer driver;
  driver.setInterval(0);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (fw::Thread::Running() > 0) return;
    if (next == texts.size()) return loop.quit();
    field.SetText(texts[next++]);
    button.Push();
  });
  double longest = 0;
  QElapsedTimer sinceTick;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  ticker.setInterval(1);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    longest = std::max(longest, double(sinceTick.nsecsElapsed()) / 1e6);
    sinceTick.restart();
  });
  driver.start();
  ticker.start();
  sinceTick.start();
  loop.exec();
  return longest;
}

DrawFont DrawFontOf(const fw::FontProperties& font) {
  return {font.TextFont, font.TextSize, font.Bold, font.Italic};
}

// What a lookup left on view, by font: the text of every control showing and
// the character in the well, drawn in the well's own font.
void RecordShown(MainWindow& window, DrawList& shown) {
  for (const auto& control : window.Controls()) {
    if (!control->Widget()->isVisible()) continue;
    if (const auto* field = dynamic_cast<const fw::EditField*>(control.get()))
      shown.Add(DrawFontOf(field->Font()), field->Text());
    else if (const auto* label = dynamic_cast<const fw::StaticText*>(control.get()))
      shown.Add(DrawFontOf(label->Font()), label->Text());
  }
  const fw::Graphics& well = window.ControlByName<fw::Canvas>("Canvas1").GetGraphics();
  shown.Add({well.TextFont, well.TextSize, well.Bold, false},
            FirstCharacter(window.ControlByName<fw::EditField>("HanziField").Text()));
}

// The same work done directly: the row by one prepared query per file, and
// the supplementary variants from the table read afresh.
class Floor {
 public:
  explicit Floor(const QString& folder) : table_(folder + "/UniVariants") {
    for (const QString& name : kDatabases) {
      sqlite3* db = nullptr;
      sqlite3_open_v2(QFile::encodeName(folder + "/" + name).constData(), &db, SQLITE_OPEN_READONLY,
                      nullptr);
      const char* sql = name == "hanzidata5.rsd"
                            ? "select kZVariant, kSemanticVariant, kSimplifiedVariant, "
                              "kTraditionalVariant, kMandarin, kCantonese, kJapaneseKun, "
                              "kJapaneseOn, kKorean, kVietnamese, kDefinition, "
                              "kCompatibilityVariant from unihan where code=?"
                            : "select kZVariant, kSemanticVariant, kSimplifiedVariant, "
                              "kTraditionalVariant, kMandarin, kCantonese, kJapaneseKun, "
                              "kJapaneseOn, kKorean, kVietnamese, kDefinition from unihan "
                              "where code=?";
      sqlite3_stmt* stmt = nullptr;
      sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
      dbs_.push_back(db);
      statements_.push_back(stmt);
    }
  }
  ~Floor() {
    for (sqlite3_stmt* stmt : statements_) sqlite3_finalize(stmt);
    for (sqlite3* db : dbs_) sqlite3_close(db);
  }

  // Returns a checksum so that nothing is optimised away.
  size_t LookUp(const QString& text) {
    const QString code = GetUnicodeCode(FirstCharacter(text));
    QFile file(table_);
    size_t sum = 0;
    if (file.open(QIODevice::ReadOnly)) sum += MoravelVariantsIn(file.readAll(), code).size();
    const DatabaseGroup group = DatabaseGroupOf(code);
    if (group == DatabaseGroup::None) return sum;
    sqlite3_stmt* stmt = statements_[int(group) - int(DatabaseGroup::Hanzidata)];
    if (!stmt) return sum;
    const QByteArray key = code.toUtf8();
    sqlite3_bind_text(stmt, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(stmt) == SQLITE_ROW) {
      for (int i = 0; i < sqlite3_column_count(stmt); ++i)
        sum += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                 sqlite3_column_bytes(stmt, i))
                   .size();
    }
    sqlite3_reset(stmt);
    return sum;
  }

 private:
  QString table_;
  std::vector<sqlite3*> dbs_;
  std::vector<sqlite3_stmt*> statements_;
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QUILLFERN_APP_DIR);
  QTemporaryDir config;  // preferences written by the window stay out of the user's
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());

  // The program's own start-up, up to the main window built and shown.
  fw::RuntimeInit(argc, argv);
  fw::SetApplicationFolder(folder);
  int messages = 0;
  fw::SetMessageHandler([&messages](const QString&) { ++messages; });
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
  App::Instance()->RaiseOpen();
  const double startupMs = double(sinceStart.nsecsElapsed()) / 1e6;

  std::vector<QString> texts;
  for (const QString& name : kDatabases)
    for (const char32_t c : SampleCodes(folder + "/" + name))
      texts.push_back(QString::fromUcs4(&c, 1));
  const size_t hanCount = texts.size();
  for (const char32_t c : OtherCharacters()) texts.push_back(QString::fromUcs4(&c, 1));
  std::shuffle(texts.begin(), texts.end(), std::mt19937(20240601));
  if (hanCount < 5 * size_t(kPerDatabase) / 2) {
    std::fprintf(stderr, "lookup: the databases in %s hold too few rows\n", qPrintable(folder));
    return 1;
  }

  MainWindow* window = MainWindow::Instance();
  auto& field = window->ControlByName<fw::EditField>("HanziField");
  auto& button = window->ControlByName<fw::PushButton>("QueryButton");
  DrawList shown;
  for (size_t i = 0; i < 100; ++i) {  // fonts, caches
    TimedLookup(field, button, texts[i]);
    RecordShown(*window, shown);
  }
  // A session's worth of characters.
  const double rssAfterWarmUpMb = ProcessMemory::OfThisProcess().rssMb;

  std::vector<double> lookupMs;
  messages = 0;
  for (const QString& text : texts) {
    lookupMs.push_back(TimedLookup(field, button, text));
    RecordShown(*window, shown);
  }
  const int notFound = messages;

  Floor floor(folder);
  std::vector<double> floorMs;
  size_t checksum = 0;
  for (const QString& text : texts) {
    QElapsedTimer timer;
    timer.start();
    checksum += floor.LookUp(text);
    floorMs.push_back(double(timer.nsecsElapsed()) / 1e6);
  }

  const std::vector<QString> stallTexts(texts.begin(),
                                        texts.begin() + std::min<size_t>(texts.size(), 2000));
  const double longestStallMs = LongestStall(field, button, stallTexts);

  // Most of the peak is font files mapped while drawing thousands of CJK
  // characters, which any program drawing them maps too; the floor is a bare
  // window drawing the same characters in the same fonts, measured in its own
  // process, so the ratio shows what the program adds.
  const ProcessMemory own = ProcessMemory::OfThisProcess();
  const std::optional<FloorMemory> drawingFloor =
      MeasureDrawingFloor(shown, QSize(window->Width(), window->Height()));
  if (drawingFloor && drawingFloor->charactersDrawn != shown.CharacterCount())
    std::fprintf(stderr, "lookup: the drawing floor drew %lld characters of %lld\n",
                 drawingFloor->charactersDrawn, qint64(shown.CharacterCount()));
  const ProcessMemory floorMemory = drawingFloor ? drawingFloor->memory : ProcessMemory{};
  const auto toFloor = [](double mine, double floor) { return floor > 0 ? mine / floor : 0.0; };
  const double peakRatio = toFloor(own.peakMb, floorMemory.peakMb);
  const double anonRatio = toFloor(own.anonMb, floorMemory.anonMb);

  const double median = Median(lookupMs), p99 = Percentile99(lookupMs);
  const double floorMedian = Median(floorMs), floorP99 = Percentile99(floorMs);
  const double ratio = floorMedian > 0 ? median / floorMedian : 0;
  QJsonArray missed;
  const auto check = [&missed](const char* name, double value, double target) {
    if (value > target) missed.append(QString::fromLatin1(name));
  };
  check("median_ms", median, 2);
  check("p99_ms", p99, 10);
  check("ratio_to_floor", ratio, 5);
  check("longest_stall_ms", longestStallMs, 8);
  check("startup_ms", startupMs, 200);
  if (!drawingFloor) missed.append(QStringLiteral("peak_memory_ratio_to_floor"));
  check("peak_memory_ratio_to_floor", peakRatio, kMemoryRatioTarget);
  QJsonObject figures{
      {"lookups", int(lookupMs.size())},
      {"han_characters", int(hanCount)},
      {"not_found_messages", notFound},
      {"median_ms", median},
      {"p99_ms", p99},
      {"floor_median_ms", floorMedian},
      {"floor_p99_ms", floorP99},
      {"ratio_to_floor", ratio},
      {"longest_stall_ms", longestStallMs},
      {"startup_ms", startupMs},
      {"peak_memory_mb", own.peakMb},
      // At the end: private memory, and pages of mapped files (libraries, fonts).
      {"anon_memory_mb", own.anonMb},
      {"file_memory_mb", own.fileMb},
      {"rss_after_100_lookups_mb", rssAfterWarmUpMb},
      {"memory_floor_characters", qint64(shown.CharacterCount())},
      // Zero when the floor could not be measured (the reason is on stderr).
      {"memory_floor_peak_mb", floorMemory.peakMb},
      {"memory_floor_anon_mb", floorMemory.anonMb},
      {"memory_floor_file_mb", floorMemory.fileMb},
      {"peak_memory_ratio_to_floor", peakRatio},
      {"peak_memory_ratio_target", kMemoryRatioTarget},
      {"anon_memory_ratio_to_floor", anonRatio},
      {"targets_missed", missed},
      {"floor_checksum", qint64(checksum)},
  };
  std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());

  fw::SetMessageHandler({});
  delete window;
  DeleteAppInstance();
  return fw::RuntimeExit();
}
