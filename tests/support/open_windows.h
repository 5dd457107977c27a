#pragma once
// The program's open windows of one class, and the closed ones still waiting
// to be deleted.
#include "framework/window.h"

// The one open window of class W; nullptr when there is none, or more than one
// (two are as wrong as none). Never makes one.
template <class W>
W* OnlyOpen() {
  W* found = nullptr;
  for (fw::Window* window : fw::Window::OpenWindows())
    if (auto* candidate = dynamic_cast<W*>(window)) {
      if (found) return nullptr;
      found = candidate;
    }
  return found;
}

template <class W>
int OpenCount() {
  int count = 0;
  for (fw::Window* window : fw::Window::OpenWindows()) count += dynamic_cast<W*>(window) != nullptr;
  return count;
}

// The window of the class called className ("MainWindow", "AboutWindow",
// "HelpWindow") through its accessor, which opens it when it is not open;
// nullptr for any other name.
fw::Window* OpenWindowNamed(const QString& className);

// A closed window is deleted later from the event loop, not while its own event
// may still run; this deletes the waiting ones now.
void DeleteClosedWindows();
