#pragma once
// Which window is in front and which widget has the keyboard: each helper asks
// the window system and waits until it has done so.
class QWidget;
class QWindow;
namespace fw {
class Window;
}

// Shows window and makes it the active one; false when it does not become active.
bool Activate(fw::Window& window);

// Gives the keyboard focus to widget in its (then active) window.
bool FocusOn(QWidget* widget);

// Another application's window takes the front; the program then has no active window.
bool PutAnotherApplicationInFront(QWindow& other);

// The offscreen platform cannot restack windows and says so for each window the
// program raises: expecting that line also proves the program asked for it.
// times: the program's shown windows, once for each time it comes to the front.
void ExpectComingToFront(int times = 1);
