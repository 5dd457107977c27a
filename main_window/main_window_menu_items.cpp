// The window's menu-item accessors: each finds its item in the window's bar.
#include "app/menu_items.h"
#include "main_window/main_window.h"

fw::MenuItem* MainWindow::Item(const char* name) {
  return MenuItemNamed(GetMenuBar(), QString::fromLatin1(name));
}

fw::MenuItem* MainWindow::FileMenu() { return Item("FileMenu"); }
fw::QuitMenuItem* MainWindow::FileQuit() {
  return dynamic_cast<fw::QuitMenuItem*>(Item("FileQuit"));
}
fw::MenuItem* MainWindow::FileClose() { return Item("FileClose"); }
fw::MenuItem* MainWindow::EditMenu() { return Item("EditMenu"); }
fw::MenuItem* MainWindow::EditUndo() { return Item("EditUndo"); }
fw::MenuItem* MainWindow::UntitledMenu0() { return Item("UntitledMenu0"); }
fw::MenuItem* MainWindow::EditCut() { return Item("EditCut"); }
fw::MenuItem* MainWindow::EditCopy() { return Item("EditCopy"); }
fw::MenuItem* MainWindow::EditPaste() { return Item("EditPaste"); }
fw::MenuItem* MainWindow::EditClear() { return Item("EditClear"); }
fw::MenuItem* MainWindow::EditSelectAll() { return Item("EditSelectAll"); }
fw::MenuItem* MainWindow::HelpMenu() { return Item("HelpMenu"); }
fw::MenuItem* MainWindow::HelpQuillfern() { return Item("HelpQuillfern"); }
fw::MenuItem* MainWindow::HelpQuillfernHomepage() { return Item("HelpQuillfernHomepage"); }
fw::AppleMenuItem* MainWindow::AppleAboutthisapplication() {
  return dynamic_cast<fw::AppleMenuItem*>(Item("AppleAboutthisapplication"));
}
fw::MenuItem* MainWindow::UntitledMenu1() { return Item("UntitledMenu1"); }
