#pragma once
// A text field: single-line or multi-line. Read-only fields can still be selected and copied.
#include <QPalette>

#include "framework/control.h"
#include "framework/font_properties.h"

namespace fw {

class FieldWidget;

class EditField : public Control {
 public:
  // multiLine is fixed when the field is made: it decides the kind of widget.
  EditField(Window& window, bool multiLine);

  QString Text() const;
  void SetText(const QString& text);
  bool MultiLine() const;
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

  // A multi-line field holds several lines, so Return is its own; one line
  // leaves it to the default button.
  bool TakesReturn() const override { return MultiLine(); }
  void SetProperty(const QString& name, const QJsonValue& value) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EditField(Window& window, FieldWidget* field);
  void Select(int start, int length);
  void ApplyFont();
  void SetColor(QPalette::ColorRole role, const QJsonValue& value);

  FieldWidget* field_;  // owned by the window's widget tree, as Widget() is
  FontProperties font_;
};

}  // namespace fw
