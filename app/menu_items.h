#pragma once
// Items of the application's menu bar, found by name on every call.
#include "framework/menu.h"

fw::AppleMenuItem* AppleAboutthisapplication();
fw::MenuItem* HelpQuillfernHomepage();
fw::MenuItem* HelpQuillfern();
fw::MenuItem* FileClose();

// The item of that name anywhere in a bar, or nullptr; no bar at all is a
// nil-object error.
fw::MenuItem* MenuItemNamed(const fw::MenuItem* bar, const QString& name);
