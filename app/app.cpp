#include "app/app.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/menu_items.h"
#include "app/preferences_store.h"
#include "framework/folders.h"
#include "help_about/about_window.h"
#include "help_about/help_window.h"
#include "services/my_events.h"

const App::DatabaseFile App::kDatabaseFiles[5] = {{&App::hanzidata, "hanzidata.rsd"},
                                                  {&App::hanzidata2, "hanzidata2.rsd"},
                                                  {&App::hanzidata3, "hanzidata3.rsd"},
                                                  {&App::hanzidata4, "hanzidata4.rsd"},
                                                  {&App::hanzidata5, "hanzidata5.rsd"}};

const char App::kHomepage[] = "https://quillfern.org/";

App::App() = default;

// Released in the order they were made.
App::~App() {
  hanzidata.reset();
  hanzidata2.reset();
  hanzidata3.reset();
  hanzidata4.reset();
  hanzidata5.reset();
  MoravelFile.clear();
  MyEvents1.reset();
}

App* App::Instance() { return static_cast<App*>(fw::Application::Instance()); }

void App::Open() {
  // Qt is linked at build time, so there is no plug-in set-up to call first.
  MyEvents1 = std::make_unique<MyEvents>();
  MyEvents1->Listen();
  for (const DatabaseFile& database : kDatabaseFiles) {
    std::unique_ptr<fw::SqlDatabase>& connection = this->*database.property;
    connection = std::make_unique<fw::SqlDatabase>();
    connection->DatabaseFile = fw::ApplicationFolder() + "/" + database.file;
    // A missing or broken file shows only later, as a lookup that finds nothing.
    connection->Connect();
  }
  MoravelFile = fw::ApplicationFolder() + "/UniVariants";
}

void App::EnableMenuItems() {
  AppleAboutthisapplication()->Enable();
  HelpQuillfernHomepage()->Enable();
  HelpQuillfern()->Enable();
}

bool App::AppleAboutthisapplication_Action() {
  AboutWindow::Instance()->Show();
  return false;
}

bool App::HelpQuillfern_Action() {
  HelpWindow::Instance()->Show();
  return false;
}

bool App::HelpQuillfernHomepage_Action() {
  QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomepage)));
  return false;
}

void App::WritePreferences(const QString& key, const QString& value) {
  PreferencesStore::WritePreferences(key, value);
}

QString App::ReadPreferences(const QString& key) { return PreferencesStore::ReadPreferences(key); }
