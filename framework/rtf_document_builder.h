#pragma once
// Fills a QTextDocument with runs of text, one insertion per run of equal
// format, in a single edit block so that a large document is laid out once.
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

namespace fw {

class RtfDocumentBuilder {
 public:
  // Clears doc. Undo is off while building and restored by Finish.
  explicit RtfDocumentBuilder(QTextDocument& doc);
  ~RtfDocumentBuilder();  // finishes, keeping what was built, if Finish was not called
  RtfDocumentBuilder(const RtfDocumentBuilder&) = delete;
  RtfDocumentBuilder& operator=(const RtfDocumentBuilder&) = delete;

  // Format of the text appended from now on.
  void SetCharFormat(const QTextCharFormat& format);
  // Characters that would corrupt the document's structure are replaced.
  void AppendText(QStringView text);
  // Ends the current paragraph with the given format and starts another.
  void EndParagraph(const QTextBlockFormat& format);
  // Gives the last paragraph its format and closes the edit block.
  void Finish(const QTextBlockFormat& format);

 private:
  void FlushRun();
  // Flushes the run and gives the current block its final formats.
  void FormatBlock(const QTextBlockFormat& format);

  QTextDocument& doc_;
  QTextCursor cursor_;
  QString run_;
  QTextCharFormat format_;
  // What the current block was given when it was made, so that most
  // paragraphs need no second formatting call.
  QTextBlockFormat blockFormat_;
  QTextCharFormat blockCharFormat_;
  bool undoWasEnabled_;
  bool finished_ = false;
};

}  // namespace fw
