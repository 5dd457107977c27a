#pragma once
// The X tools of the test machine (xdotool, xprop, xwininfo), run while the
// event loop goes on, so the program answers the window system meanwhile.
#include <QString>
#include <QStringList>
#include <optional>

// What program printed; nothing when it did not run to a zero exit.
std::optional<QString> XToolOutput(const QString& program, const QStringList& arguments);

// Runs xdotool with arguments; false when it fails.
bool XDoTool(const QStringList& arguments);
