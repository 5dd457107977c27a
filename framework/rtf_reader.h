#pragma once
// Shows RTF documents (the help document) in a QTextDocument: paragraphs,
// alignment, bold, italic, underline, font families and sizes, tabs, and text
// in any code page or as \u escapes. Pictures, headers and other destinations
// are left out.
#include <QByteArray>

class QTextDocument;

namespace fw {

// Renders RTF given as bytes into doc (cleared first). Never throws, never
// crashes or hangs on malformed input; renders what it can.
void ReadRtf(const QByteArray& rtf, QTextDocument& doc);

}  // namespace fw
