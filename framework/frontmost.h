#pragma once
// Bringing the program and its windows in front of other applications.
class QWidget;

namespace fw {

// Raises every shown window of the program above other programs' windows, in
// the order they had among themselves, bringing minimised ones back, and
// activates the one that was active last.
void BringApplicationToFront();

// Brings the window back when it is minimised, keeping its other states.
void BringBackFromMinimised(QWidget& window);

}  // namespace fw
