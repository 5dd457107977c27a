#pragma once
#include "framework/control.h"
#include "framework/font_properties.h"

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
  FontProperties font_;
};

}  // namespace fw
