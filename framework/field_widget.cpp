#include "framework/field_widget.h"

#include <QStyleOptionFrame>
#include <limits>

namespace fw {

SingleLineWidget::SingleLineWidget(QWidget* parent) : QLineEdit(parent) { SetLimitText(0); }

QString SingleLineWidget::Text() const {
  const QString shown = text();
  return shown == shownText_ ? setText_ : shown;
}

void SingleLineWidget::SetText(const QString& text) {
  setText(text);
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
