#pragma once
// Starts the program in-process the way main does, without running the event
// loop: a fresh preferences folder, a chosen application folder, message boxes
// recorded instead of shown, the application object opened and the main
// window built. Tests drive the real windows through it.
#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

#include "app/app.h"
#include "main_window/main_window.h"

class AppFixture {
 public:
  // dataFolder: the application folder with the databases and UniVariants;
  // empty: a fresh empty folder. preferences: when not empty, the bytes of the
  // preferences file as it stands before start-up.
  explicit AppFixture(const QString& dataFolder = QString(), const QByteArray& preferences = {});
  ~AppFixture();
  AppFixture(const AppFixture&) = delete;
  AppFixture& operator=(const AppFixture&) = delete;

  QString ConfigFolder() const { return config_.path(); }
  QString DataFolder() const { return dataFolder_; }
  // Where the program keeps its preferences for this run.
  QString PreferencesFile() const;
  QStringList messages;  // texts of message boxes, in order

  MainWindow* Window() const { return MainWindow::Instance(); }
  template <class C>
  C& Control(const char* name) const {
    return Window()->ControlByName<C>(QString::fromUtf8(name));
  }
  // Puts text into the search field and pushes the query button; the lookup
  // goes on while the test acts.
  void StartLookUp(const QString& text);
  // StartLookUp, then waits until every lookup has finished.
  void LookUp(const QString& text);
  // Waits until every lookup has finished.
  static bool WaitForLookups(int timeoutMs = 5000);

 private:
  QTemporaryDir config_;
  QTemporaryDir emptyData_;
  QString dataFolder_;
};

// The folder holding the real generated data (the build's application folder).
QString RealDataFolder();
