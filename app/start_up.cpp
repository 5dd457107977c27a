#include "app/start_up.h"

#include "app/app.h"
#include "app/menu_bar1.h"
#include "framework/file_type.h"
#include "framework/runtime.h"
#include "main_window/main_window.h"

namespace {
std::unique_ptr<App>& AppObject() {
  static std::unique_ptr<App> app;
  return app;
}
}  // namespace

void InitFileTypes() {
  fw::FileType text;
  text.Name = QStringLiteral("text");
  text.Extensions = QString();
  text.MacType = QStringLiteral("TEXT");
  text.MacCreator = QStringLiteral("R*ch");
  fw::RuntimeRegisterFileType(text);
}

void NewAppInstance() {
  AppObject() = std::make_unique<App>();
  AppObject()->SetMenuBar(MenuBar1::Instance());
  fw::RuntimeRegisterAppObject(AppObject().get());
}

void ApplicationAddMenuHandlers() {
  App* app = App::Instance();
  app->AddMenuHandler("AppleAboutthisapplication",
                      [app] { return app->AppleAboutthisapplication_Action(); });
  app->AddMenuHandler("HelpQuillfern", [app] { return app->HelpQuillfern_Action(); });
  app->AddMenuHandler("HelpQuillfernHomepage",
                      [app] { return app->HelpQuillfernHomepage_Action(); });
}

void MakeDefaultView() { MainWindow::Instance(); }

void DeleteAppInstance() { AppObject().reset(); }

void Main() {
  // Qt and its modules are linked when the program is built: there are no
  // external classes to initialise and no plug-in entry points to look up.
  try {
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
    fw::RuntimeRun();
  } catch (...) {
    fw::RuntimeUnhandledException(std::current_exception());
  }
}
