#include "services/my_events.h"

#include "app/app.h"
#include "framework/edit_field.h"
#include "framework/push_button.h"
#include "main_window/main_window.h"

bool MyEvents::ServicePerform(const fw::Pasteboard& pasteboard, const QString& message,
                              const QString&) {
  if (!pasteboard.TextAvailable()) return false;
  if (message != QStringLiteral("SOHZge")) return false;
  App::Instance()->SetFrontmost(true);
  MainWindow::Instance()->ControlByName<fw::EditField>("HanziField").SetText(pasteboard.GetText());
  MainWindow::Instance()->ControlByName<fw::PushButton>("QueryButton").Push();
  return false;
}
