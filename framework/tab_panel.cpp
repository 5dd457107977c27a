#include "framework/tab_panel.h"

#include <QTabBar>
#include <QTabWidget>

#include "framework/property_table.h"
#include "framework/window.h"

namespace fw {

TabPanel::TabPanel(Window& window)
    : Control(window, new QTabWidget(window.Content())), tabs_(static_cast<QTabWidget*>(Widget())) {
  tabs_->setFocusPolicy(Qt::TabFocus);
  // The designs centre the tabs over their pages.
  tabs_->setStyleSheet(QStringLiteral("QTabWidget::tab-bar { alignment: center; }"));
  QObject::connect(tabs_, &QTabWidget::currentChanged, this, [this] {
    ParentWindow().UpdatePageVisibility();
    Raise(QStringLiteral("Change"));
  });
}

void TabPanel::SetTabDefinition(const QString& definition) {
  const QStringList titles = definition.split(QChar('\r'));
  const int selected = qMax(0, tabs_->currentIndex());
  const QSignalBlocker blocker(tabs_);
  while (tabs_->count() > titles.size()) delete tabs_->widget(tabs_->count() - 1);
  for (int page = 0; page < titles.size(); ++page) {
    if (page < tabs_->count())
      tabs_->setTabText(page, titles[page]);
    else
      tabs_->addTab(new QWidget, titles[page]);
  }
  tabs_->setCurrentIndex(qMin(selected, tabs_->count() - 1));
}

QString TabPanel::TabDefinition() const {
  QStringList titles;
  for (int page = 0; page < tabs_->count(); ++page) titles << tabs_->tabText(page);
  return titles.join(QChar('\r'));
}

int TabPanel::Value() const { return tabs_->currentIndex(); }
void TabPanel::SetValue(int page) { tabs_->setCurrentIndex(page); }
int TabPanel::PageCount() const { return tabs_->count(); }
QString TabPanel::PageTitle(int page) const { return tabs_->tabText(page); }

void TabPanel::SetProperty(const QString& name, const QJsonValue& value) {
  static const PropertyTable<TabPanel> kProperties{
      {"Value", [](TabPanel& t, const QJsonValue& v) { t.SetValue(v.toInt()); }},
      {"TabDefinition", [](TabPanel& t, const QJsonValue& v) { t.SetTabDefinition(v.toString()); }},
      // Every panel of the program has its tabs on top (0).
      {"Facing",
       [](TabPanel& t, const QJsonValue&) { t.tabs_->setTabPosition(QTabWidget::North); }},
      // Qt's tab bar has one size of tab; the tabs keep their natural width.
      {"SmallTabs", [](TabPanel& t, const QJsonValue&) { t.tabs_->tabBar()->setExpanding(false); }},
  };
  if (font_.Set(name, value))
    font_.ApplyTo(*tabs_);
  else if (!kProperties.Apply(*this, name, value))
    Control::SetProperty(name, value);
}

}  // namespace fw
