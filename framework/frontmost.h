#pragma once
// Bringing the program in front of other applications.

namespace fw {

// Raises and activates the program's window that was last active (or, when none
// is known or it has gone, its first visible top-level window), restoring it if
// minimized. The program's other windows keep their order.
void BringApplicationToFront();

}  // namespace fw
