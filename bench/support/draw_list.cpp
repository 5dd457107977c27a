#include "bench/support/draw_list.h"

#include <QFile>

namespace {

bool Drawable(char32_t c) { return c >= 0x20 && c != 0x7F && c != 0x2028 && c != 0x2029; }

}  // namespace

void DrawList::Add(const DrawFont& font, const QString& text) {
  std::set<char32_t>* characters = nullptr;
  for (const char32_t c : text.toUcs4()) {
    if (!Drawable(c)) continue;
    if (!characters) characters = &fonts_[font];
    characters->insert(c);
  }
}

qsizetype DrawList::CharacterCount() const {
  qsizetype count = 0;
  for (const auto& [font, characters] : fonts_) count += qsizetype(characters.size());
  return count;
}

bool DrawList::Write(const QString& path) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  for (const auto& [font, characters] : fonts_) {
    const std::u32string text(characters.begin(), characters.end());
    const QStringList fields{font.designName, QString::number(font.size),
                             QString::number(int(font.bold)), QString::number(int(font.italic)),
                             QString::fromUcs4(text.data(), qsizetype(text.size()))};
    file.write(fields.join(QChar('\t')).toUtf8() + '\n');
  }
  return file.flush();
}

std::optional<DrawList> DrawList::Read(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  DrawList list;
  for (const QByteArray& line : file.readAll().split('\n')) {
    if (line.isEmpty()) continue;
    const QStringList fields = QString::fromUtf8(line).split(QChar('\t'));
    bool sizeOk = false;
    const int size = fields.value(1).toInt(&sizeOk);
    if (fields.size() != 5 || !sizeOk) return std::nullopt;
    list.Add({fields[0], size, fields[2] == "1", fields[3] == "1"}, fields[4]);
  }
  return list;
}
