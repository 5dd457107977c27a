#include "framework/fonts.h"

#include <QApplication>
#include <QHash>

namespace fw {
namespace {

// Han fonts after the first choice: Noto CJK covers the BMP and part of
// Extension B; the Hanazono pair and BabelStone Han reach the later extensions.
const QStringList kHanFallbacks{"Noto Sans CJK TC", "Noto Serif CJK TC", "HanaMinA",
                                "HanaMinB",         "BabelStone Han",    "Noto Sans CJK JP",
                                "Noto Sans CJK SC"};

QStringList Chain(const QString& first) {
  QStringList chain{first};
  for (const QString& family : kHanFallbacks)
    if (!chain.contains(family)) chain << family;
  return chain;
}

// The Han design faces and the installed family that stands in for each.
const QHash<QString, QString>& HanFaces() {
  static const QHash<QString, QString> faces{
      {QStringLiteral("ヒラギノ角ゴ Pro W3"), QStringLiteral("Noto Sans CJK TC")},
      {QStringLiteral("ヒラギノ明朝 Pro W3"), QStringLiteral("Noto Serif CJK TC")},
      {QStringLiteral("STXihei"), QStringLiteral("Noto Sans CJK SC")},
  };
  return faces;
}

}  // namespace

bool IsHanFace(const QString& designName) { return HanFaces().contains(designName); }

QStringList FontChain(const QString& designName) {
  const auto found = HanFaces().constFind(designName);
  if (found != HanFaces().constEnd()) return Chain(*found);
  // "System", "Lucida Grande", "Helvetica" and anything unknown: the desktop's
  // own interface font, with the Han chain behind it.
  return Chain(QApplication::font().family());
}

QFont FontFor(const QString& designName, int size, bool bold, bool italic, bool underline) {
  QFont font = QApplication::font();
  font.setFamilies(FontChain(designName));
  if (size > 0) font.setPixelSize(size);
  font.setBold(bold);
  font.setItalic(italic);
  font.setUnderline(underline);
  return font;
}

}  // namespace fw
