#pragma once
// The About window: the icon, the name, the version and two notices.
#include "framework/canvas.h"
#include "framework/window.h"

class AboutWindow : public fw::Window {
 public:
  static AboutWindow* Instance();
  static QJsonObject StoredLayout();

  void Canvas1_Open(fw::Canvas& me);
  bool FileClose_Action();

 protected:
  void AddMenuHandlers() override;
  void Paint() override {}
  void EnableMenuItems() override;
  void AttachHandler(fw::Control& control, const QString& event) override;
};
