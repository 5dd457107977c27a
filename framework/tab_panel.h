#pragma once
// Pages with tabs. The controls of a page are placed in window coordinates
// like every other control and shown only while their page is selected.
#include "framework/control.h"
#include "framework/font_properties.h"

class QTabWidget;

namespace fw {

class TabPanel : public Control {
 public:
  explicit TabPanel(Window& window);
  // Page titles separated by a carriage return.
  void SetTabDefinition(const QString& definition);
  QString TabDefinition() const;
  int Value() const;  // the selected page, from 0
  void SetValue(int page);
  int PageCount() const;
  QString PageTitle(int page) const;
  void SetProperty(const QString& name, const QJsonValue& value) override;

 private:
  QTabWidget* tabs_;
  FontProperties font_;
};

}  // namespace fw
