#include "framework/field_widget.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextLayout>
#include <algorithm>
#include <limits>
#include <optional>

namespace fw {

SingleLineWidget::SingleLineWidget(QWidget* parent) : QLineEdit(parent) { SetLimitText(0); }

QString SingleLineWidget::Text() const {
  const QString shown = text();
  return shown == shownText_ ? setText_ : shown;
}

void SingleLineWidget::SetText(const QString& text) {
  setText(text);
  // Text the program sets is read from its start; Qt would scroll to its end.
  home(false);
  setText_ = text;
  shownText_ = this->text();
}

int SingleLineWidget::SelStart() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

// Qt's default of 32,767 characters would cut a long text sent by another
// program at its first edit.
void SingleLineWidget::SetLimitText(int limit) {
  setMaxLength(limit > 0 ? limit : std::numeric_limits<int>::max());
}

void SingleLineWidget::SetPassword(bool password) {
  setEchoMode(password ? QLineEdit::Password : QLineEdit::Normal);
}

void SingleLineWidget::SetAlignment(Qt::Alignment alignment) {
  setAlignment(alignment | Qt::AlignVCenter);
}

void SingleLineWidget::initStyleOption(QStyleOptionFrame* option) const {
  QLineEdit::initStyleOption(option);
  if (!focusRing_) option->state &= ~QStyle::State_HasFocus;
}

MultiLineWidget::MultiLineWidget(QWidget* parent) : QTextEdit(parent) {
  setAcceptRichText(false);
  setTabChangesFocus(true);
  viewport()->setMouseTracking(true);
}

void MultiLineWidget::SetText(const QString& text) {
  setPlainText(text);
  LayOutLines();  // new text comes in blocks of the default format
}

void MultiLineWidget::SetEmBoxLines(int pixels) {
  emBox_ = pixels;
  LayOutLines();
}

void MultiLineWidget::LayOutLines() {
  if (emBox_ <= 0) return;
  // Lines 1.15 em apart, each baseline 0.92 em below its line's top: the em
  // box (0.88 em above the baseline to 0.12 em below) starts 0.04 em down,
  // and a glyph of the largest size stays clear of both edges of a field
  // 1.25 em high.
  QTextBlockFormat lines;
  lines.setLineHeight(emBox_ * 1.15, QTextBlockFormat::FixedHeight);
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.mergeBlockFormat(lines);
  // The text starts 2 pixels in from the field's top left corner, where code
  // that finds a character by its position (TextSize pixels each) counts from.
  const qreal inset = std::max(0, 2 - frameWidth());
  SetTextMargins(inset, 0);
  // Qt puts the baseline four fifths down a fixed line, less the leading of
  // whatever fallback font the line uses: move the text down by what is
  // missing, and take it off the bottom so one line still fits unscrolled.
  if (const std::optional<qreal> baseline = FirstBaseline()) {
    const qreal drift = inset + emBox_ * 0.92 - *baseline;
    if (drift > 0) SetTextMargins(inset, drift);
  }
  // Qt scrolls to show the cursor by the font's own, taller line: new text
  // and a new size show the first line from its top.
  verticalScrollBar()->setValue(0);
}

void MultiLineWidget::SetTextMargins(qreal inset, qreal drift) {
  QTextFrameFormat margins = document()->rootFrame()->frameFormat();
  margins.setMargin(0);
  margins.setLeftMargin(inset);
  margins.setTopMargin(inset + drift);
  margins.setBottomMargin(-drift);
  document()->rootFrame()->setFrameFormat(margins);
}

std::optional<qreal> MultiLineWidget::FirstBaseline() const {
  const QTextBlock first = document()->firstBlock();
  document()->documentLayout()->blockBoundingRect(first);  // lays the block out
  const QTextLine line = first.layout()->lineAt(0);
  if (!line.isValid()) return std::nullopt;
  return first.layout()->position().y() + line.y() + line.ascent();
}

void MultiLineWidget::SetReadOnly(bool readOnly) {
  setReadOnly(readOnly);
  // Read-only text can still be selected and copied, by mouse and by keys.
  setTextInteractionFlags(readOnly ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                   : Qt::TextEditorInteraction);
}

int MultiLineWidget::SelLength() const {
  const QTextCursor cursor = textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void MultiLineWidget::Select(int start, int length) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void MultiLineWidget::SetBorder(bool border) {
  setFrameStyle(border ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
}

void MultiLineWidget::SetScrollBar(Qt::Orientation orientation, bool shown) {
  const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  if (orientation == Qt::Vertical)
    setVerticalScrollBarPolicy(policy);
  else
    setHorizontalScrollBarPolicy(policy);
}

void MultiLineWidget::initStyleOption(QStyleOptionFrame* option) const {
  QTextEdit::initStyleOption(option);
  if (!focusRing_) option->state &= ~QStyle::State_HasFocus;
}

}  // namespace fw
