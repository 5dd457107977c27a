#pragma once
// The program's working window: the search field, the character well, the
// code text, the spinner, and the tabs with variants, readings and meaning.
#include <QString>

#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/menu.h"
#include "framework/popup_menu.h"
#include "framework/push_button.h"
#include "framework/slider.h"
#include "framework/static_text.h"
#include "framework/task.h"
#include "framework/text_drag.h"
#include "framework/window.h"

class MainWindow : public fw::Window {
 public:
  // The one main window, built and opened when none is open.
  static MainWindow* Instance();
  static QJsonObject StoredLayout();

  int CharSize = 0;      // point size of the character in the well and the drag image
  QString CharFont;      // its font
  QString CurrentField;  // "HanziField" or "ZVariantField": the text field last focused

  // Control events.
  void Canvas2_Open(fw::Canvas& me);
  void QueryButton_Action(fw::PushButton& me);
  bool HanziField_MouseDown(fw::EditField& me, int x, int y);
  void HanziField_LostFocus(fw::EditField& me);
  void HanziField_Open(fw::EditField& me);
  void HanziField_GotFocus(fw::EditField& me);
  bool HanziField_KeyDown(fw::EditField& me, const QString& key);
  void CodeText_Open(fw::StaticText& me);
  void ZVariantField_MouseMove(fw::EditField& me, int x, int y);
  void ZVariantField_GotFocus(fw::EditField& me);
  bool ZVariantField_MouseDown(fw::EditField& me, int x, int y);
  void ZVariantField_MouseUp(fw::EditField& me, int x, int y);
  void Canvas3_Open(fw::Canvas& me);
  void Canvas1_DropObject(fw::Canvas& me, const fw::DragItem& obj, int action);
  bool Canvas1_MouseDown(fw::Canvas& me, int x, int y);
  void Canvas1_MouseDrag(fw::Canvas& me, int x, int y);
  // What dragging out of the well carries: the shown character and its
  // glyph, held at (x, y) in the well.
  fw::TextDrag MakeDragOut(int x, int y);
  void Canvas1_Open(fw::Canvas& me);
  void CurrentText_Open(fw::StaticText& me);
  void PopupMenu1_Open(fw::PopupMenu& me);
  void PopupMenu1_Change(fw::PopupMenu& me);
  void Slider1_Close(fw::Slider& me);
  void Slider1_Open(fw::Slider& me);
  void Slider1_ValueChanged(fw::Slider& me);

  // Items of the window's menu bar, found by name on every call.
  fw::MenuItem* FileMenu();
  fw::QuitMenuItem* FileQuit();
  fw::MenuItem* FileClose();
  fw::MenuItem* EditMenu();
  fw::MenuItem* EditUndo();
  fw::MenuItem* UntitledMenu0();
  fw::MenuItem* EditCut();
  fw::MenuItem* EditCopy();
  fw::MenuItem* EditPaste();
  fw::MenuItem* EditClear();
  fw::MenuItem* EditSelectAll();
  fw::MenuItem* HelpMenu();
  fw::MenuItem* HelpQuillfern();
  fw::MenuItem* HelpQuillfernHomepage();
  fw::AppleMenuItem* AppleAboutthisapplication();
  fw::MenuItem* UntitledMenu1();

  bool EditSelectAll_Action();
  bool FileClose_Action();

  // The code text of a character, and the supplementary variants of a code text.
  QString GetUnicodeCode(const QString& character);
  fw::Task<QString> GetMoravelVariant(const QString& code);

  // Localizable texts.
  static QString kVariants();
  static QString kFontSize();
  static QString kVariantsTab();
  static QString kPronunciationTab();
  static QString kMeaningTab();
  static QString kEnglishDefinition();
  static QString kHanyuPinyin();
  static QString kCantonese();
  static QString kJapaneseKunyomi();
  static QString kJapaneseOnyomi();
  static QString kKorean();
  static QString kVietnamese();

 protected:
  void Layout() override;
  void AddMenuHandlers() override;
  void EnableMenuItems() override;
  void Open() override;
  void Close() override;
  void SetConstantTexts(fw::Control& control) override;
  void AttachHandler(fw::Control& control, const QString& event) override;

 private:
  fw::MenuItem* Item(const char* name);
};
