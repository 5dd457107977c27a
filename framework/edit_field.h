#pragma once
// A text field: single-line (Return goes on to the window's default button)
// or multi-line. Read-only fields can still be selected and copied.
#include "framework/control.h"
#include "framework/font_properties.h"

class QLineEdit;
class QTextEdit;

namespace fw {

class EditField : public Control {
 public:
  // multiLine is fixed when the field is made: it decides the kind of widget.
  EditField(Window& window, bool multiLine);

  QString Text() const;
  void SetText(const QString& text);
  bool MultiLine() const { return textEdit_ != nullptr; }
  bool ReadOnly() const;
  int TextSize() const { return font_.TextSize; }
  void SetTextSize(int size);
  const FontProperties& Font() const { return font_; }
  // Selection in characters (UTF-16 code units); a length past the end of the
  // text selects up to the end.
  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int start);
  void SetSelLength(int length);
  QString SelText() const;

  void SetProperty(const QString& name, const QJsonValue& value) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* InputWidget() const;
  void Select(int start, int length);

  QLineEdit* lineEdit_ = nullptr;
  QTextEdit* textEdit_ = nullptr;
  FontProperties font_;
  // A single-line field shows its text on one line; what code set is kept
  // so that it reads back exactly, line ends included.
  QString setText_;
  QString shownText_;
};

}  // namespace fw
