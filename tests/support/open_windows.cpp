#include "support/open_windows.h"

#include <QCoreApplication>
#include <QEvent>

#include "help_about/about_window.h"
#include "help_about/help_window.h"
#include "main_window/main_window.h"

fw::Window* OpenWindowNamed(const QString& className) {
  if (className == QLatin1String("MainWindow")) return MainWindow::Instance();
  if (className == QLatin1String("AboutWindow")) return AboutWindow::Instance();
  if (className == QLatin1String("HelpWindow")) return HelpWindow::Instance();
  return nullptr;
}

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
