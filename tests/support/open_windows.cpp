#include "support/open_windows.h"

#include <QCoreApplication>
#include <QEvent>

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
