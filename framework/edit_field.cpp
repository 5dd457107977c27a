#include "framework/edit_field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextEdit>

#include "framework/static_text.h"
#include "framework/window.h"

namespace fw {
namespace {
QWidget* MakeWidget(Window& window, bool multiLine) {
  if (multiLine) return new QTextEdit(window.Content());
  return new QLineEdit(window.Content());
}
}  // namespace

EditField::EditField(Window& window, bool multiLine)
    : Control(window, MakeWidget(window, multiLine)) {
  if (multiLine) {
    textEdit_ = static_cast<QTextEdit*>(Widget());
    textEdit_->setAcceptRichText(false);
    textEdit_->setTabChangesFocus(true);
    textEdit_->viewport()->installEventFilter(this);
    textEdit_->viewport()->setMouseTracking(true);
  } else {
    lineEdit_ = static_cast<QLineEdit*>(Widget());
  }
  Widget()->setMouseTracking(true);
  font_.ApplyTo(*Widget());
}

QWidget* EditField::InputWidget() const { return Widget(); }

QString EditField::Text() const {
  if (textEdit_) return textEdit_->toPlainText();
  const QString shown = lineEdit_->text();
  return shown == shownText_ ? setText_ : shown;
}

void EditField::SetText(const QString& text) {
  if (textEdit_) {
    textEdit_->setPlainText(text);
    return;
  }
  lineEdit_->setText(text);
  setText_ = text;
  shownText_ = lineEdit_->text();
}

bool EditField::ReadOnly() const {
  return textEdit_ ? textEdit_->isReadOnly() : lineEdit_->isReadOnly();
}

void EditField::SetTextSize(int size) {
  font_.TextSize = size;
  font_.ApplyTo(*Widget());
}

int EditField::SelStart() const {
  if (textEdit_) return textEdit_->textCursor().selectionStart();
  return lineEdit_->hasSelectedText() ? lineEdit_->selectionStart() : lineEdit_->cursorPosition();
}

int EditField::SelLength() const {
  if (textEdit_) {
    const QTextCursor cursor = textEdit_->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
  }
  return lineEdit_->selectionLength();
}

QString EditField::SelText() const {
  if (textEdit_) return textEdit_->textCursor().selectedText();
  return lineEdit_->selectedText();
}

void EditField::SetSelStart(int start) { Select(start, 0); }

void EditField::SetSelLength(int length) { Select(SelStart(), length); }

void EditField::Select(int start, int length) {
  const int size =
      textEdit_ ? textEdit_->document()->characterCount() - 1 : lineEdit_->text().size();
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (textEdit_) {
    QTextCursor cursor = textEdit_->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    textEdit_->setTextCursor(cursor);
  } else {
    lineEdit_->setSelection(start, length);
  }
}

void EditField::SetProperty(const QString& name, const QJsonValue& value) {
  if (font_.Set(name, value)) {
    font_.ApplyTo(*Widget());
  } else if (name == "Text") {
    SetText(value.toString());
  } else if (name == "ReadOnly") {
    textEdit_ ? textEdit_->setReadOnly(value.toBool()) : lineEdit_->setReadOnly(value.toBool());
    if (textEdit_)
      textEdit_->setTextInteractionFlags(value.toBool() ? Qt::TextSelectableByMouse |
                                                              Qt::TextSelectableByKeyboard
                                                        : Qt::TextEditorInteraction);
  } else if (name == "Border") {
    if (textEdit_)
      textEdit_->setFrameStyle(value.toBool() ? QFrame::StyledPanel | QFrame::Sunken
                                              : QFrame::NoFrame);
    else
      lineEdit_->setFrame(value.toBool());
  } else if (name == "ScrollBarVertical") {
    if (textEdit_)
      textEdit_->setVerticalScrollBarPolicy(value.toBool() ? Qt::ScrollBarAsNeeded
                                                           : Qt::ScrollBarAlwaysOff);
  } else if (name == "ScrollBarHorizontal") {
    if (textEdit_)
      textEdit_->setHorizontalScrollBarPolicy(value.toBool() ? Qt::ScrollBarAsNeeded
                                                             : Qt::ScrollBarAlwaysOff);
  } else if (name == "TextColor" || name == "BackColor") {
    QPalette palette = Widget()->palette();
    palette.setColor(name == "TextColor" ? QPalette::Text : QPalette::Base, ColorFrom(value));
    Widget()->setPalette(palette);
  } else if (name == "LimitText") {
    if (lineEdit_ && value.toInt() > 0) lineEdit_->setMaxLength(value.toInt());
  } else if (name == "Password") {
    if (lineEdit_) lineEdit_->setEchoMode(value.toBool() ? QLineEdit::Password : QLineEdit::Normal);
  } else if (name == "AcceptTabs") {
    if (textEdit_) textEdit_->setTabChangesFocus(!value.toBool());
  } else if (name == "Alignment") {
    const int a = value.toInt();
    const Qt::Alignment align = a == 2 ? Qt::AlignHCenter : a == 3 ? Qt::AlignRight : Qt::AlignLeft;
    textEdit_ ? textEdit_->setAlignment(align) : lineEdit_->setAlignment(align | Qt::AlignVCenter);
  } else if (QStringList{"MultiLine", "Styled", "UseFocusRing", "Format", "Mask", "DataSource",
                         "DataField"}
                 .contains(name)) {
    // The kind of widget is fixed at creation; styles, rings, formats and data
    // bindings take no part in this program's fields.
  } else {
    Control::SetProperty(name, value);
  }
}

bool EditField::eventFilter(QObject* watched, QEvent* event) {
  // Mouse positions are relative to the field's top left, also when the
  // event arrives at a multi-line field's inner viewport.
  auto fieldPos = [&](const QPointF& local) {
    auto* widget = static_cast<QWidget*>(watched);
    return widget == Widget() ? local.toPoint() : widget->mapTo(Widget(), local.toPoint());
  };
  switch (event->type()) {
    case QEvent::FocusIn:
      if (watched == Widget()) Raise(QStringLiteral("GotFocus"));
      break;
    case QEvent::FocusOut:
      if (watched == Widget()) Raise(QStringLiteral("LostFocus"));
      break;
    case QEvent::KeyPress: {
      if (watched != Widget()) break;
      auto* key = static_cast<QKeyEvent*>(event);
      if (RaiseKey(QStringLiteral("KeyDown"), key->text())) return true;
      const bool isReturn = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
      if (isReturn && lineEdit_) {
        ParentWindow().PushDefaultButton();
        return true;
      }
      break;
    }
    case QEvent::MouseButtonPress: {
      const QPoint p = fieldPos(static_cast<QMouseEvent*>(event)->position());
      if (RaiseBool(QStringLiteral("MouseDown"), p.x(), p.y())) return true;
      break;
    }
    case QEvent::MouseButtonRelease: {
      const QPoint p = fieldPos(static_cast<QMouseEvent*>(event)->position());
      RaiseXY(QStringLiteral("MouseUp"), p.x(), p.y());
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->buttons() != Qt::NoButton) break;
      const QPoint p = fieldPos(mouse->position());
      RaiseXY(QStringLiteral("MouseMove"), p.x(), p.y());
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace fw
