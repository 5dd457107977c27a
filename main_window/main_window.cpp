#include "main_window/main_window.h"

#include "app/menu_bar1.h"
#include "framework/application.h"
#include "framework/tab_panel.h"

MainWindow* MainWindow::Instance() { return fw::Window::Implicit<MainWindow>(); }

QJsonObject MainWindow::StoredLayout() { return LoadLayout(QStringLiteral("main_window")); }

void MainWindow::Layout() {
  SetMenuBar(MenuBar1::Instance());
  fw::Window::Layout();
}

void MainWindow::SetConstantTexts(fw::Control& control) {
  static const QHash<QString, QString (*)()> kLabelTexts{
      {"StaticText4", &kVariants},           {"StaticText2", &kFontSize},
      {"StaticText11", &kEnglishDefinition}, {"StaticText5", &kHanyuPinyin},
      {"StaticText6", &kCantonese},          {"StaticText9", &kJapaneseKunyomi},
      {"StaticText10", &kJapaneseOnyomi},    {"StaticText7", &kKorean},
      {"StaticText8", &kVietnamese},
  };
  if (const auto text = kLabelTexts.constFind(control.Name); text != kLabelTexts.constEnd()) {
    fw::ControlAs<fw::StaticText>(control).SetText((*text)());
  } else if (control.Name == QStringLiteral("TabPanel1")) {
    const QChar cr('\r');
    fw::ControlAs<fw::TabPanel>(control).SetTabDefinition(kVariantsTab() + cr +
                                                          kPronunciationTab() + cr + kMeaningTab());
  }
}

void MainWindow::AttachHandler(fw::Control& control, const QString& event) {
  static const fw::HandlerTable<MainWindow> kHandlers{
      {"Canvas2_Open", fw::Handler(&MainWindow::Canvas2_Open)},
      {"QueryButton_Action", fw::Handler(&MainWindow::QueryButton_Action)},
      {"HanziField_MouseDown", fw::Handler(&MainWindow::HanziField_MouseDown)},
      {"HanziField_LostFocus", fw::Handler(&MainWindow::HanziField_LostFocus)},
      {"HanziField_Open", fw::Handler(&MainWindow::HanziField_Open)},
      {"HanziField_GotFocus", fw::Handler(&MainWindow::HanziField_GotFocus)},
      {"HanziField_KeyDown", fw::Handler(&MainWindow::HanziField_KeyDown)},
      {"CodeText_Open", fw::Handler(&MainWindow::CodeText_Open)},
      {"ZVariantField_MouseMove", fw::Handler(&MainWindow::ZVariantField_MouseMove)},
      {"ZVariantField_GotFocus", fw::Handler(&MainWindow::ZVariantField_GotFocus)},
      {"ZVariantField_MouseDown", fw::Handler(&MainWindow::ZVariantField_MouseDown)},
      {"ZVariantField_MouseUp", fw::Handler(&MainWindow::ZVariantField_MouseUp)},
      {"Canvas3_Open", fw::Handler(&MainWindow::Canvas3_Open)},
      {"Canvas1_DropObject", fw::Handler(&MainWindow::Canvas1_DropObject)},
      {"Canvas1_MouseDown", fw::Handler(&MainWindow::Canvas1_MouseDown)},
      {"Canvas1_MouseDrag", fw::Handler(&MainWindow::Canvas1_MouseDrag)},
      {"Canvas1_Open", fw::Handler(&MainWindow::Canvas1_Open)},
      {"CurrentText_Open", fw::Handler(&MainWindow::CurrentText_Open)},
      {"PopupMenu1_Open", fw::Handler(&MainWindow::PopupMenu1_Open)},
      {"PopupMenu1_Change", fw::Handler(&MainWindow::PopupMenu1_Change)},
      {"Slider1_Close", fw::Handler(&MainWindow::Slider1_Close)},
      {"Slider1_Open", fw::Handler(&MainWindow::Slider1_Open)},
      {"Slider1_ValueChanged", fw::Handler(&MainWindow::Slider1_ValueChanged)},
  };
  const auto handler = kHandlers.constFind(control.Name + "_" + event);
  if (handler == kHandlers.constEnd()) return fw::Window::AttachHandler(control, event);
  (*handler)(*this, control, event);
}

void MainWindow::AddMenuHandlers() {
  AddMenuHandler("EditSelectAll", [this] { return EditSelectAll_Action(); });
  AddMenuHandler("FileClose", [this] { return FileClose_Action(); });
}

void MainWindow::EnableMenuItems() {
  if (fw::MenuItem* item = EditSelectAll()) item->Enable();
}

void MainWindow::Open() {
  CharSize = 50;
  CharFont = QStringLiteral("ヒラギノ明朝 Pro W3");
}

void MainWindow::Close() { fw::Quit(0); }

bool MainWindow::FileClose_Action() {
  CloseWindow();
  return false;
}
