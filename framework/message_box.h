#pragma once
// Modal messages the user must see. Tests install a handler that records the
// text instead of showing a box, so no test waits for a click.
#include <QString>
#include <functional>

namespace fw {

// Shows a modal box with an OK button and returns when it is dismissed. A
// detail, when given, is shown under the text as the box's informative text:
// what the user needs to act on (which file, what to do) without changing the
// message itself.
void MsgBox(const QString& text, const QString& detail = QString());

// Replaces the box for every later MsgBox (and the worker's MsgBoxAsync) until
// reset with an empty function. The handler runs in place of the box. The
// detailed form also gets the detail ("" when the box has none).
using MessageHandler = std::function<void(const QString& text)>;
using DetailedMessageHandler = std::function<void(const QString& text, const QString& detail)>;
void SetMessageHandler(MessageHandler handler);
void SetDetailedMessageHandler(DetailedMessageHandler handler);
// True when a handler replaces the boxes; used by the asynchronous box too.
bool DeliverToMessageHandler(const QString& text, const QString& detail = QString());
// From now on boxes go to standard error, unless a handler already takes them:
// for the end of a run that nobody is there to answer.
void MessagesToStandardError();

}  // namespace fw
