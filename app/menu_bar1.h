#pragma once
// The program's one menu bar: File, Edit and Help, built once.
#include "framework/menu.h"

class MenuBar1 : public fw::MenuBar {
 public:
  MenuBar1();
  // The one bar, built on the first call.
  static MenuBar1* Instance();
};
