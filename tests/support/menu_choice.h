#pragma once
// The menu bar's items by name, and choosing one as the user would.
namespace fw {
class MenuItem;
}

// The item called name; a missing item is a mistake in the test, so it throws.
fw::MenuItem& MenuItemNamed(const char* name);

// Chooses the item: the front window's handler acts, else the application's.
void Choose(const char* name);
