#pragma once
// The Help window: the built-in help document in a document view.
#include <memory>

#include "framework/web_view.h"
#include "framework/window.h"

class HelpWindow : public fw::Window {
 public:
  static HelpWindow* Instance();
  static QJsonObject StoredLayout();
  ~HelpWindow() override;

  std::shared_ptr<fw::WebView> w;  // the view of the document

  bool FileClose_Action();
  // (Re)loads the help document into the view.
  void update();

  static QString kHelpWindowTitle();
  static QString kHelpContent();

 protected:
  void Layout() override;
  void AddMenuHandlers() override;
  void Open() override;
  void Paint() override;
  void EnableMenuItems() override;
  void SetConstantTexts(fw::Control& control) override;
};
