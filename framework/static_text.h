#pragma once
#include "framework/control.h"
#include "framework/font_properties.h"

class QLabel;

namespace fw {

// A label. Text and Caption are two names of one text.
class StaticText : public Control {
 public:
  explicit StaticText(Window& window);
  QString Text() const;
  void SetText(const QString& text);
  QString Caption() const { return Text(); }
  void SetCaption(const QString& caption) { SetText(caption); }
  int TextAlign() const { return textAlign_; }
  void SetTextAlign(int align);
  bool MultiLine() const;
  const FontProperties& Font() const { return font_; }
  void SetProperty(const QString& name, const QJsonValue& value) override;

 private:
  QLabel* label_;
  FontProperties font_;
  int textAlign_ = 0;
};

}  // namespace fw
