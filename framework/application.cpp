#include "framework/application.h"

#include <QApplication>
#include <QDialog>

#include "framework/frontmost.h"
#include "framework/message_box.h"
#include "framework/window.h"

namespace fw {
namespace {
Application* registered = nullptr;
bool quitRequested = false;
int quitStatus = 0;
int closingWindows = 0;
}  // namespace

Application::Application() = default;

Application::~Application() {
  if (registered == this) registered = nullptr;
}

Application* Application::Instance() { return registered; }

// A newly registered application object starts a run of its own: no quit is
// asked for yet (tests start several runs in one process).
void RuntimeRegisterAppObject(Application* app) {
  registered = app;
  quitRequested = false;
}

void Application::AddMenuHandler(const QString& itemName, std::function<bool()> handler) {
  menuHandlers_.Add(itemName, std::move(handler));
}

bool Application::HasMenuHandler(const QString& itemName) const {
  return menuHandlers_.Has(itemName);
}

bool Application::RunMenuHandler(const QString& itemName) { return menuHandlers_.Run(itemName); }

void Application::SetFrontmost(bool front) {
  if (front) BringApplicationToFront();
}

void Quit(int status) {
  quitRequested = true;
  quitStatus = status;
  // Leaving the loop now would end every loop inside it too, and refuse any
  // new one: a box that closing raises would vanish unanswered.
  if (closingWindows == 0) QCoreApplication::exit(status);
}

ClosingWindows::ClosingWindows() { ++closingWindows; }

ClosingWindows::~ClosingWindows() {
  if (--closingWindows == 0 && quitRequested) QCoreApplication::exit(quitStatus);
}

bool QuitRequested() { return quitRequested; }
int QuitStatus() { return quitStatus; }

void QuitMenuAction() {
  ClosingWindows closing;
  Quit(0);
  const std::vector<Window*> windows = Window::OpenWindows();
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->CloseWindow();
}

void QuitUnattended() {
  // A box's own loop ends with it, and a worker waiting on one is not resumed
  // into a run that is ending.
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
      dialog->hide();
  MessagesToStandardError();
  QuitMenuAction();
}

}  // namespace fw
