#include "help_about/about_window.h"

#include "app/menu_items.h"
#include "app/project_pictures.h"
#include "framework/unhandled_exception.h"

AboutWindow* AboutWindow::Instance() { return fw::Window::Implicit<AboutWindow>(); }

QJsonObject AboutWindow::StoredLayout() { return LoadLayout(QStringLiteral("about_window")); }

void AboutWindow::AttachHandler(fw::Control& control, const QString& event) {
  if (control.Name + "_" + event == QStringLiteral("Canvas1_Open"))
    return InstallEventHandler(fw::ControlAs<fw::Canvas>(control), event,
                               &AboutWindow::Canvas1_Open);
  fw::Window::AttachHandler(control, event);
}

void AboutWindow::Canvas1_Open(fw::Canvas& me) {
  if (!icon64() || !icon64mask()) throw fw::NilObjectException("program icon missing");
  me.SetBackdrop(icon64());
  me.Backdrop()->Mask().GetGraphics().DrawPicture(*icon64mask(), 0, 0);
}

void AboutWindow::AddMenuHandlers() {
  AddMenuHandler("FileClose", [this] { return FileClose_Action(); });
}

void AboutWindow::EnableMenuItems() { FileClose()->Enable(); }

bool AboutWindow::FileClose_Action() {
  CloseWindow();
  return false;
}
