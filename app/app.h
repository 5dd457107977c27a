#pragma once
// The application object: the five character databases, the supplementary
// variant table's file, the handler of requests from other applications and
// the preferences store, for the whole run.
#include <QString>
#include <memory>

#include "framework/application.h"
#include "framework/sql_database.h"

class MyEvents;

class App : public fw::Application {
 public:
  App();
  ~App() override;
  static App* Instance();

  std::unique_ptr<fw::SqlDatabase> hanzidata, hanzidata2, hanzidata3, hanzidata4, hanzidata5;
  // The five connections with their files, in the order of the database
  // groups (hanzidata first).
  struct DatabaseFile {
    std::unique_ptr<fw::SqlDatabase> App::*property;
    const char* file;
  };
  static const DatabaseFile kDatabaseFiles[5];
  QString MoravelFile;  // path of "UniVariants" beside the application
  std::unique_ptr<MyEvents> MyEvents1;

  bool AppleAboutthisapplication_Action();
  bool HelpQuillfern_Action();
  bool HelpQuillfernHomepage_Action();
  void WritePreferences(const QString& key, const QString& value);
  QString ReadPreferences(const QString& key);

  // The homepage the Help menu opens.
  static const char kHomepage[];

  static QString kFile();
  static QString kFileClose();
  static QString kEdit();
  static QString kEditUndo();
  static QString kEditCut();
  static QString kEditCopy();
  static QString kEditPaste();
  static QString kEditClear();
  static QString kEditSelectAll();
  static QString kQuillfernHelp();
  static QString kQuillfernHomepage();
  static QString kAboutQuillfern();

 protected:
  void Open() override;
  void EnableMenuItems() override;
};
