#pragma once
// Bringing the program in front of other applications.

namespace fw {

// Raises every shown window of the program above other programs' windows, in
// the order they had among themselves, and activates the one that was active
// last (restoring it if minimized).
void BringApplicationToFront();

}  // namespace fw
