// Time to read and to write the preferences file, for a normal file and for
// files whose elements nest very deeply (hand-made or damaged), and the size
// of each file after the write. Usage: preferences [levels...] (default: 255
// and 100000). Prints one JSON line. Every file should be read and written in
// well under a second, and no write should make the file much larger.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdio>

#include "app/preferences_store.h"
#include "framework/message_box.h"

namespace {

const QString kFileName = QStringLiteral("Quillfern Preferences");
const QByteArray kNormal =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n  <MainFontSize>12</MainFontSize>\n"
    "  <VariantFontSize>45</VariantFontSize>\n</root>\n";

// The stored size followed by elements nested inside root, `levels` deep in all.
QByteArray Nested(int levels) {
  const int inner = levels - 1;
  return "<root><VariantFontSize>45</VariantFontSize>" + QByteArray("<a>").repeated(inner) +
         QByteArray("</a>").repeated(inner) + "</root>";
}

double Milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

QJsonObject Measure(const QString& folder, const QString& name, const QByteArray& document) {
  const QString path = folder + u'/' + kFileName;
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(document) != document.size()) return {};
  file.close();

  QElapsedTimer timer;
  timer.start();
  const QString read = PreferencesStore::ReadPreferences(QStringLiteral("VariantFontSize"));
  const double readMs = Milliseconds(timer);
  timer.restart();
  PreferencesStore::WritePreferences(QStringLiteral("VariantFontSize"), QStringLiteral("46"));
  const double writeMs = Milliseconds(timer);
  return {{"file", name},        {"bytes_before", document.size()},
          {"read_ms", readMs},   {"read", read},
          {"write_ms", writeMs}, {"bytes_after", QFileInfo(path).size()}};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir folder;
  if (!folder.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
  fw::SetMessageHandler([](const QString&) {});  // a refused write only shows a box

  QList<int> levels;
  for (int i = 1; i < argc; ++i) levels << QByteArray(argv[i]).toInt();
  if (levels.isEmpty()) levels = {255, 100000};

  QJsonArray files{Measure(folder.path(), QStringLiteral("normal"), kNormal)};
  for (const int depth : levels)
    files.append(Measure(folder.path(), QStringLiteral("%1 levels").arg(depth), Nested(depth)));
  std::printf("%s\n", QJsonDocument(QJsonObject{{"preferences", files}})
                          .toJson(QJsonDocument::Compact)
                          .constData());
  return 0;
}
