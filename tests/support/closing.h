#pragma once
// Closing a secondary window (About, Help) the two ways the user can.
class AppFixture;
namespace fw {
class Window;
}

// Brings window to the front and closes it by File > Close (byKey false) or
// Ctrl+W (byKey true). Checks that it is gone, deleted once the loop lets it
// go, and that the main window stays open and shown with the run going on.
// Failures are reported through QtTest; the caller stops on currentTestFailed().
void VerifyClosingLeavesOnlyTheMainWindow(AppFixture& app, fw::Window* window, bool byKey);
