#pragma once
// The standard Edit items (Undo, Cut, Copy, Paste, Clear, Select All) act on
// the text field that has the keyboard focus, whichever window it is in.
#include <QString>

namespace fw {

// Whether the item can act now: the focus is in a text field that gives the
// item what it needs (a writable field, a selection).
bool CanPerformEditCommand(const QString& itemName);
// Acts as the item does; false when it cannot act now.
bool PerformEditCommand(const QString& itemName);

}  // namespace fw
