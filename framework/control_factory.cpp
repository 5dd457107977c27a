#include "framework/control_factory.h"

#include <stdexcept>

#include "framework/canvas.h"
#include "framework/chasing_arrows.h"
#include "framework/edit_field.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/slider.h"
#include "framework/static_text.h"
#include "framework/tab_panel.h"
#include "framework/web_view.h"

namespace fw {

std::unique_ptr<Control> CreateControl(const QJsonObject& stored, Window& window) {
  const QString kind = stored.value("Class").toString();
  if (kind == "Canvas") return std::make_unique<Canvas>(window);
  if (kind == "PushButton") return std::make_unique<PushButton>(window);
  if (kind == "EditField")
    return std::make_unique<EditField>(window, stored.value("MultiLine").toBool());
  if (kind == "StaticText") return std::make_unique<StaticText>(window);
  if (kind == "TabPanel") return std::make_unique<TabPanel>(window);
  if (kind == "Slider") return std::make_unique<Slider>(window);
  if (kind == "PopupMenu") return std::make_unique<PopupMenu>(window);
  if (kind == "ChasingArrows") return std::make_unique<ChasingArrows>(window);
  if (kind == "WebkitMBS") return std::make_unique<WebkitControl>(window);
  throw std::logic_error("unknown control class " + kind.toStdString());
}

}  // namespace fw
