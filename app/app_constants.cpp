// App's localizable texts with their English defaults.
#include "app/app.h"
#include "framework/localized_strings.h"

namespace {
QString Localized(const char* name, const char* english) {
  return fw::GetLocalizedString("App", name, QString::fromUtf8(english));
}
}  // namespace

QString App::kFile() { return Localized("kFile", "File"); }
QString App::kFileClose() { return Localized("kFileClose", "Close"); }
QString App::kEdit() { return Localized("kEdit", "Edit"); }
QString App::kEditUndo() { return Localized("kEditUndo", "Undo"); }
QString App::kEditCut() { return Localized("kEditCut", "Cut"); }
QString App::kEditCopy() { return Localized("kEditCopy", "Copy"); }
QString App::kEditPaste() { return Localized("kEditPaste", "Paste"); }
QString App::kEditClear() { return Localized("kEditClear", "Clear"); }
QString App::kEditSelectAll() { return Localized("kEditSelectAll", "Select All"); }
QString App::kQuillfernHelp() { return Localized("kQuillfernHelp", "Quillfern Help"); }
QString App::kQuillfernHomepage() { return Localized("kQuillfernHomepage", "Quillfern Homepage"); }
QString App::kAboutQuillfern() { return Localized("kAboutQuillfern", "About Quillfern"); }
