#pragma once
// The mouse pointer moved through the window system, as a user moves it.
#include <QPoint>

class QWidget;

// Moves the pointer to pos in widget and waits until Qt has delivered that
// move: moves made back to back can reach Qt as one motion at the last
// place, so a move away and back would be no move at all. True at once when
// the pointer is there already, as no move comes then.
bool MoveMouse(QWidget* widget, QPoint pos);
