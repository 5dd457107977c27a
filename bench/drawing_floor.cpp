// The floor of lookup's memory: a bare Qt window that draws the characters
// lookup's main window showed, in the same font chains at the same pixel
// sizes, and does nothing else. Drawing thousands of CJK characters makes
// FreeType map large parts of the font files (pages shared with every program
// that draws them) and fills Qt's glyph caches; this window pays for that as
// the program does, so the program's memory over this floor is what it adds.
// Usage: drawing_floor <draw list> <width> <height> (the list as DrawList
// writes it). Prints one JSON line: its memory and the characters drawn.
#include <QApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/support/draw_list.h"
#include "bench/support/process_memory.h"
#include "framework/fonts.h"

namespace {

// One line of characters at a time, painted through the window's backing
// store as any widget's text is.
class Sheet : public QWidget {
 public:
  void Draw(const QFont& font, const std::vector<char32_t>& characters) {
    font_ = font;
    text_ = QString::fromUcs4(characters.data(), qsizetype(characters.size()));
    pending_ = qint64(characters.size());
    repaint();
  }
  qint64 CharactersDrawn() const { return drawn_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.drawText(QPointF(2, painter.fontMetrics().ascent()), text_);
    drawn_ += pending_;
    pending_ = 0;
  }

 private:
  QFont font_;
  QString text_;
  qint64 pending_ = 0, drawn_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc != 4) {
    std::fprintf(stderr, "usage: drawing_floor <draw list> <width> <height>\n");
    return 2;
  }
  const std::optional<DrawList> list = DrawList::Read(QString::fromLocal8Bit(argv[1]));
  if (!list) {
    std::fprintf(stderr, "drawing_floor: cannot read %s\n", argv[1]);
    return 1;
  }

  Sheet sheet;
  sheet.resize(QString::fromLatin1(argv[2]).toInt(), QString::fromLatin1(argv[3]).toInt());
  sheet.show();
  QCoreApplication::processEvents();
  for (const auto& [font, characters] : list->Fonts()) {
    // Han characters are about as wide as the size: a line's worth fills the window.
    const size_t perLine = size_t(std::max(1, sheet.width() / std::max(1, font.size) - 1));
    const QFont drawn = fw::FontFor(font.designName, font.size, font.bold, font.italic);
    std::vector<char32_t> line;
    for (const char32_t c : characters) {
      line.push_back(c);
      if (line.size() < perLine) continue;
      sheet.Draw(drawn, line);
      line.clear();
    }
    if (!line.empty()) sheet.Draw(drawn, line);
  }

  QJsonObject figures = ProcessMemory::OfThisProcess().ToJson();
  figures.insert("characters_drawn", sheet.CharactersDrawn());
  std::printf("%s\n", QJsonDocument(figures).toJson(QJsonDocument::Compact).constData());
  return 0;
}
