// Time to read an RTF document into a QTextDocument, and to lay it out.
// Usage: rtf_read [file]; without a file, a paragraph of 200,000 \u escapes.
// Run with QT_QPA_PLATFORM=offscreen. Prints one JSON line. Reading should
// grow in step with the input: the 200,000 escapes well under 100 ms.
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextDocument>
#include <cstdio>

#include "framework/rtf_reader.h"

namespace {

constexpr int kEscapes = 200000;

// One paragraph of \u escapes with no fallback characters: words of nine
// Greek letters, each followed by a space, so that laying it out can break
// lines between words.
QByteArray UnicodeRun(int escapes) {
  QByteArray rtf = "{\\rtf1\\uc0 ";
  rtf.reserve(qsizetype(escapes) * 5 + 16);
  for (int i = 0; i < escapes; ++i) {
    const int letter = 945 + i % 10 + i / 10 % 15;  // from alpha on, shifted word by word
    rtf += "\\u" + QByteArray::number(i % 10 == 9 ? 32 : letter);
  }
  return rtf + "}";
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // QTextDocument needs the font database
  QByteArray rtf;
  if (argc > 1) {
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
      std::fprintf(stderr, "rtf_read: cannot open %s\n", argv[1]);
      return 1;
    }
    rtf = file.readAll();
  } else {
    rtf = UnicodeRun(kEscapes);
  }

  QTextDocument doc;
  QElapsedTimer timer;
  timer.start();
  fw::ReadRtf(rtf, doc);
  const double readMs = double(timer.nsecsElapsed()) / 1e6;
  timer.restart();
  doc.setTextWidth(400);
  (void)doc.size();
  const double layoutMs = double(timer.nsecsElapsed()) / 1e6;

  const QJsonObject figures{{"bytes", rtf.size()},
                            {"characters", doc.characterCount() - 1},
                            {"read_ms", readMs},
                            {"layout_ms", layoutMs}};
  std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
  return 0;
}
