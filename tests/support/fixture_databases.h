#pragma once
// Small character databases and supplementary variant tables written into a
// temporary folder, to serve as the application folder of a test.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>

// One row of the unihan table, for designated initializers: columns left out
// are stored as empty texts.
struct UnihanRow {
  QString code{};
  QString zVariant{}, semanticVariant{}, simplifiedVariant{}, traditionalVariant{};
  QString mandarin{}, cantonese{}, japaneseKun{}, japaneseOn{}, korean{}, vietnamese{};
  QString definition{};
  QString compatibilityVariant{};
};

// The shapes a fixture database can take.
enum class UnihanTable {
  Full,                        // every column the program reads
  WithoutCompatibilityColumn,  // as the four-digit files could be made
  Missing,                     // a database without the unihan table
};

class FixtureFolder {
 public:
  FixtureFolder();
  bool IsValid() const { return dir_.isValid(); }
  QString Path() const { return dir_.path(); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }

  // Writes the database `name` (e.g. "hanzidata2.rsd"), replacing any file of
  // that name. False on any SQLite error.
  bool WriteDatabase(const QString& name, const QList<UnihanRow>& rows,
                     UnihanTable table = UnihanTable::Full);
  // Writes any file as given: a UniVariants table, a damaged database.
  bool WriteFile(const QString& name, const QByteArray& contents);
  bool Remove(const QString& name);

 private:
  QTemporaryDir dir_;
};

// The names of the five databases, hanzidata.rsd to hanzidata5.rsd.
QList<QString> DatabaseFileNames();
