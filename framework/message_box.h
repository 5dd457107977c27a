#pragma once
// Modal messages the user must see. Tests install a handler that records the
// text instead of showing a box, so no test waits for a click.
#include <QString>
#include <functional>

namespace fw {

// Shows a modal box with an OK button and returns when it is dismissed.
void MsgBox(const QString& text);

// Replaces the box for every later MsgBox (and the worker's MsgBoxAsync) until
// reset with an empty function. The handler runs in place of the box.
using MessageHandler = std::function<void(const QString& text)>;
void SetMessageHandler(MessageHandler handler);
// True when a handler replaces the boxes; used by the asynchronous box too.
bool DeliverToMessageHandler(const QString& text);

}  // namespace fw
