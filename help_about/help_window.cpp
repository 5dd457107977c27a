#include "help_about/help_window.h"

#include <QFile>

#include "app/menu_items.h"
#include "framework/edit_field.h"
#include "framework/localized_strings.h"

HelpWindow* HelpWindow::Instance() { return fw::Window::Implicit<HelpWindow>(); }

HelpWindow::~HelpWindow() { w.reset(); }

QString HelpWindow::kHelpWindowTitle() {
  return fw::GetLocalizedString("HelpWindow", "kHelpWindowTitle", QStringLiteral("Quillfern Help"));
}

QString HelpWindow::kHelpContent() {
  // The English document is kept as a resource file rather than a literal.
  static const QString english = [] {
    QFile file(QStringLiteral(":/resources/help/help.rtf"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }();
  return fw::GetLocalizedString("HelpWindow", "kHelpContent", english);
}

QJsonObject HelpWindow::StoredLayout() { return LoadLayout(QStringLiteral("help_window")); }

void HelpWindow::Layout() {
  SetTitle(kHelpWindowTitle());
  fw::Window::Layout();
}

void HelpWindow::SetConstantTexts(fw::Control& control) {
  if (control.Name == QStringLiteral("EditField1"))
    fw::ControlAs<fw::EditField>(control).SetText(kHelpContent());
}

void HelpWindow::AddMenuHandlers() {
  AddMenuHandler("FileClose", [this] { return FileClose_Action(); });
}

void HelpWindow::Open() {
  w = std::make_shared<fw::WebView>();
  w->Create();
  ControlByName<fw::WebkitControl>("Web").SetWebView(w);
  update();
}

void HelpWindow::update() {
  fw::WebFrame* frame = w->MainFrame();
  if (!frame) return;
  const QString text = ControlByName<fw::EditField>("EditField1").Text();
  frame->LoadData(text.toUtf8(), QStringLiteral("text/rtf"), QStringLiteral("UTF-8"));
}

void HelpWindow::Paint() {
  fw::Control& web = ControlByName<fw::WebkitControl>("Web");
  if (!web.Visible()) web.SetVisible(true);
}

void HelpWindow::EnableMenuItems() { FileClose()->Enable(); }

bool HelpWindow::FileClose_Action() {
  CloseWindow();
  return false;
}
