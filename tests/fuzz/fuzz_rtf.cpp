// Feeds arbitrary bytes to the RTF reader. QTextDocument needs the font
// database, hence a GUI application on the offscreen platform.
#include <QGuiApplication>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>

#include "framework/rtf_reader.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QTextDocument doc;
  fw::ReadRtf(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), doc);
  // Laying the result out reaches the formats the reader set.
  doc.setTextWidth(400);
  (void)doc.size();
  return 0;
}
