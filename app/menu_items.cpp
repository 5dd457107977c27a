#include "app/menu_items.h"

#include "app/app.h"
#include "framework/unhandled_exception.h"

fw::MenuItem* MenuItemNamed(const fw::MenuItem* bar, const QString& name) {
  if (!bar) throw fw::NilObjectException("no menu bar");
  return bar->Lookup(name);
}

namespace {
// The global accessors are used at once (Enable), so a missing item is the
// nil-object error here rather than a crash in the caller.
fw::MenuItem* InAppBar(const char* name) {
  if (!App::Instance()) throw fw::NilObjectException("no application object");
  fw::MenuItem* item = MenuItemNamed(App::Instance()->GetMenuBar(), QString::fromLatin1(name));
  if (!item) throw fw::NilObjectException(std::string("no menu item ") + name);
  return item;
}
}  // namespace

fw::AppleMenuItem* AppleAboutthisapplication() {
  return static_cast<fw::AppleMenuItem*>(InAppBar("AppleAboutthisapplication"));
}
fw::MenuItem* HelpQuillfernHomepage() { return InAppBar("HelpQuillfernHomepage"); }
fw::MenuItem* HelpQuillfern() { return InAppBar("HelpQuillfern"); }
fw::MenuItem* FileClose() { return InAppBar("FileClose"); }
