#include "framework/rtf_document_builder.h"

#include <QTextDocument>

namespace fw {

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument& doc)
    : doc_(doc), undoWasEnabled_(doc.isUndoRedoEnabled()) {
  doc_.clear();
  doc_.setUndoRedoEnabled(false);
  cursor_ = QTextCursor(&doc_);
  cursor_.beginEditBlock();
}

RtfDocumentBuilder::~RtfDocumentBuilder() {
  if (finished_) return;
  cursor_.endEditBlock();
  doc_.setUndoRedoEnabled(undoWasEnabled_);
}

void RtfDocumentBuilder::SetCharFormat(const QTextCharFormat& format) {
  if (format == format_) return;
  FlushRun();
  format_ = format;
}

void RtfDocumentBuilder::AppendText(QStringView text) {
  // No reserve: most calls bring one character (a \u escape), and reserving
  // the exact size would copy the whole run each time. Appending grows the
  // run geometrically.
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit < 0x20 && unit != '\t') continue;  // line ends and controls are no text here
    if (unit == QChar::ParagraphSeparator) {
      run_ += QChar(QChar::LineSeparator);  // paragraphs come only from EndParagraph
    } else if ((unit >= 0xFDD0 && unit <= 0xFDEF) || unit >= 0xFFFC) {
      // QTextDocument marks frames and objects with these code points.
      run_ += QChar(QChar::ReplacementCharacter);
    } else {
      run_ += c;
    }
  }
}

void RtfDocumentBuilder::EndParagraph(const QTextBlockFormat& format) {
  FormatBlock(format);
  cursor_.insertBlock(format, format_);
  blockFormat_ = format;
  blockCharFormat_ = format_;
}

void RtfDocumentBuilder::Finish(const QTextBlockFormat& format) {
  if (finished_) return;
  finished_ = true;
  FormatBlock(format);
  cursor_.endEditBlock();
  doc_.setUndoRedoEnabled(undoWasEnabled_);
}

void RtfDocumentBuilder::FormatBlock(const QTextBlockFormat& format) {
  FlushRun();
  if (format != blockFormat_) cursor_.setBlockFormat(format);
  // The paragraph mark's format sizes an empty paragraph like its text.
  if (format_ != blockCharFormat_) cursor_.setBlockCharFormat(format_);
}

void RtfDocumentBuilder::FlushRun() {
  if (run_.isEmpty()) return;
  cursor_.insertText(run_, format_);
  run_.clear();
}

}  // namespace fw
