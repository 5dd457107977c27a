#include "support/menu_choice.h"

#include <stdexcept>
#include <string>

#include "app/menu_bar1.h"

fw::MenuItem& MenuItemNamed(const char* name) {
  fw::MenuItem* item = MenuBar1::Instance()->Lookup(QString::fromLatin1(name));
  if (!item) throw std::logic_error(std::string("no menu item ") + name);
  return *item;
}

void Choose(const char* name) { MenuBar1::Instance()->Dispatch(MenuItemNamed(name)); }
