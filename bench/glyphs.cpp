// How many characters of the generated databases the Han font chains can
// draw. Usage: glyphs [application folder]. Prints one JSON line per chain:
// total, covered, share (target at least 0.999), the share per database file,
// the chain's families not installed, the uncovered characters per Han block
// and the first uncovered code points.
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRawFont>
#include <cstdio>
#include <vector>

#include "framework/fonts.h"
#include "framework/sql_database.h"

namespace {

struct DataFile {
  QString name;
  std::vector<char32_t> characters;
};

// Every code of a database file; empty when the file cannot be read.
std::vector<char32_t> ReadCodes(const QString& path) {
  std::vector<char32_t> characters;
  fw::SqlDatabase database;
  database.DatabaseFile = path;
  if (!database.Connect()) return characters;
  auto rows = database.SQLSelect(QStringLiteral("select code from unihan"));
  for (; rows && !rows->Eof(); rows->MoveNext()) {
    bool ok = false;
    const uint code = rows->IdxField(1)->StringValue().toUInt(&ok, 16);
    if (ok) characters.push_back(char32_t(code));
  }
  return characters;
}

// The installed families of a chain, each opened once.
class Chain {
 public:
  explicit Chain(const QString& designName) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& family : fw::FontChain(designName)) {
      if (!installed.contains(family)) {
        missing_ << family;
        continue;
      }
      QFont font(family);
      font.setPixelSize(40);
      fonts_.push_back(QRawFont::fromFont(font));
    }
  }
  bool Covers(char32_t character) const {
    for (const QRawFont& font : fonts_)
      if (font.supportsCharacter(uint(character))) return true;
    return false;
  }
  QStringList Missing() const { return missing_; }

 private:
  std::vector<QRawFont> fonts_;
  QStringList missing_;
};

// The Han blocks, to say where the uncovered characters lie.
struct Block {
  const char* name;
  char32_t first, last;
};
const Block kBlocks[] = {
    {"URO", 0x4E00, 0x9FFF},           {"ExtA", 0x3400, 0x4DBF},
    {"ExtB", 0x20000, 0x2A6DF},        {"ExtC", 0x2A700, 0x2B73F},
    {"ExtD", 0x2B740, 0x2B81F},        {"ExtE", 0x2B820, 0x2CEAF},
    {"ExtF", 0x2CEB0, 0x2EBEF},        {"ExtI", 0x2EBF0, 0x2EE5F},
    {"ExtG", 0x30000, 0x3134F},        {"ExtH", 0x31350, 0x323AF},
    {"Compatibility", 0xF900, 0xFAFF}, {"CompatibilitySupplement", 0x2F800, 0x2FA1F},
};

QString BlockOf(char32_t character) {
  for (const Block& block : kBlocks)
    if (character >= block.first && character <= block.last) return QString::fromLatin1(block.name);
  return QStringLiteral("other");
}

QJsonObject Measure(const QString& designName, const std::vector<DataFile>& files) {
  const Chain chain(designName);
  qint64 total = 0, covered = 0;
  QJsonObject perFile;
  QJsonArray uncovered;
  QHash<QString, int> uncoveredByBlock;
  for (const DataFile& file : files) {
    qint64 fileCovered = 0;
    for (char32_t character : file.characters) {
      if (chain.Covers(character)) {
        ++fileCovered;
        continue;
      }
      ++uncoveredByBlock[BlockOf(character)];
      if (uncovered.size() < 20)
        uncovered << QStringLiteral("U+%1").arg(uint(character), 4, 16, QChar('0')).toUpper();
    }
    total += qint64(file.characters.size());
    covered += fileCovered;
    perFile.insert(file.name, file.characters.empty() ? QJsonValue()
                                                      : QJsonValue(double(fileCovered) /
                                                                   double(file.characters.size())));
  }
  QJsonObject byBlock;
  for (auto it = uncoveredByBlock.begin(); it != uncoveredByBlock.end(); ++it)
    byBlock.insert(it.key(), it.value());
  return QJsonObject{{"chain", designName},
                     {"families", QJsonArray::fromStringList(fw::FontChain(designName))},
                     {"notInstalled", QJsonArray::fromStringList(chain.Missing())},
                     {"total", total},
                     {"covered", covered},
                     {"share", total ? double(covered) / double(total) : 0.0},
                     {"target", 0.999},
                     {"files", perFile},
                     {"uncoveredByBlock", byBlock},
                     {"firstUncovered", uncovered}};
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);  // the font database needs a GUI application
  const QString folder =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(QUILLFERN_APP_DIR);

  std::vector<DataFile> files;
  for (const char* name :
       {"hanzidata.rsd", "hanzidata2.rsd", "hanzidata3.rsd", "hanzidata4.rsd", "hanzidata5.rsd"}) {
    const QString fileName = QString::fromLatin1(name);
    files.push_back({fileName, ReadCodes(folder + "/" + fileName)});
    if (files.back().characters.empty())
      std::fprintf(stderr, "glyphs: no characters in %s\n", qPrintable(folder + "/" + fileName));
  }

  for (const char* design : {"ヒラギノ角ゴ Pro W3", "ヒラギノ明朝 Pro W3"}) {
    QElapsedTimer timer;
    timer.start();
    QJsonObject figures = Measure(QString::fromUtf8(design), files);
    figures.insert("ms", timer.elapsed());
    std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
  }
  return 0;
}
