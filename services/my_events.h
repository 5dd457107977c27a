#pragma once
// Receives text that another application sends: the program comes to the
// front and looks the text up as if it had been typed.
#include "framework/application_events.h"

class MyEvents : public fw::ApplicationEvents {
 protected:
  bool ServicePerform(const fw::Pasteboard& pasteboard, const QString& message,
                      const QString& userData) override;
};
