#pragma once
// The font names the windows are designed with are those of another desktop.
// Each maps to a chain of installed families; Qt tries them in order for
// every character, so Han text never falls back to empty boxes while any
// installed CJK font can draw it.
#include <QFont>
#include <QString>
#include <QStringList>

namespace fw {

// Whether the design name is a Han face. Its lines sit on the ideographic em
// box; the stand-ins add a tall ascent above it, which a caller that sizes
// lines to the text (EditField) leaves out.
bool IsHanFace(const QString& designName);

// The families tried, in order, for a design font name.
QStringList FontChain(const QString& designName);

// A font for a design name at a size in pixels (the designs count one point
// as one pixel); size 0 means the platform's default size.
QFont FontFor(const QString& designName, int size, bool bold = false, bool italic = false,
              bool underline = false);

}  // namespace fw
