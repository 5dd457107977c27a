#pragma once
#include "framework/control.h"
#include "framework/font_spec.h"

class QComboBox;

namespace fw {

class PopupMenu : public Control {
 public:
  explicit PopupMenu(Window& window);
  int ListIndex() const;
  int ListCount() const;
  QString List(int index) const;
  void SetProperty(const QString& name, const QJsonValue& value) override;

 private:
  QComboBox* combo_;
  FontSpec font_;
};

}  // namespace fw
