// Localized texts from translation tables beside the application, read again
// when they change, and the English defaults wherever no table has a text.
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include "framework/folders.h"
#include "framework/localized_strings.h"

class LocalizedStringsTest : public QObject {
  Q_OBJECT

  QTemporaryDir folder_;

  // The table file the user's language reads beside the application.
  QString TableFile() const {
    return folder_.filePath(
        QStringLiteral("strings/%1.json").arg(QLocale::system().name().section(u'_', 0, 0)));
  }
  bool WriteTable(const QByteArray& json) const {
    QFile file(TableFile());
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(json) == json.size();
  }

 private slots:
  void init() {
    fw::SetApplicationFolder(folder_.path());
    fw::RemoveInstalledStringTable();
    QVERIFY(QDir(folder_.path()).mkpath(QStringLiteral("strings")));
    QFile::remove(TableFile());
  }
  void cleanupTestCase() { fw::SetApplicationFolder(QString()); }

  void withoutATableTheEnglishDefaultStands() {
    QCOMPARE(fw::GetLocalizedString("App", "kFile", QStringLiteral("File")),
             QStringLiteral("File"));
  }

  void aTableAddedOrChangedWhileRunningShowsAtOnce() {
    const QString english = QStringLiteral("Variants:");
    QCOMPARE(fw::GetLocalizedString("MainWindow", "kVariants", english), english);
    QVERIFY(WriteTable(R"({"MainWindow.kVariants": "變體："})"));
    QCOMPARE(fw::GetLocalizedString("MainWindow", "kVariants", english), QStringLiteral("變體："));
    // Another size (and time) of the file: read again.
    QVERIFY(WriteTable(R"({"MainWindow.kVariants": "异体字：", "App.kFile": "文件"})"));
    QCOMPARE(fw::GetLocalizedString("MainWindow", "kVariants", english),
             QStringLiteral("异体字："));
    QVERIFY(QFile::remove(TableFile()));
    QCOMPARE(fw::GetLocalizedString("MainWindow", "kVariants", english), english);
  }

  void aBrokenTableIsNoTable_data() {
    QTest::addColumn<QByteArray>("json");
    QTest::newRow("not JSON") << QByteArray("{\"MainWindow.kVariants\": ");
    QTest::newRow("an array") << QByteArray(R"(["MainWindow.kVariants"])");
    QTest::newRow("a number as the text") << QByteArray(R"({"MainWindow.kVariants": 3})");
    QTest::newRow("empty file") << QByteArray();
  }
  void aBrokenTableIsNoTable() {
    QFETCH(QByteArray, json);
    QVERIFY(WriteTable(json));
    QCOMPARE(fw::GetLocalizedString("MainWindow", "kVariants", QStringLiteral("Variants:")),
             QStringLiteral("Variants:"));
  }

  void anInstalledTableWinsUntilRemoved() {
    QVERIFY(WriteTable(R"({"App.kEdit": "編輯"})"));
    fw::InstallStringTable({});
    QCOMPARE(fw::GetLocalizedString("App", "kEdit", QStringLiteral("Edit")),
             QStringLiteral("Edit"));
    fw::RemoveInstalledStringTable();
    QCOMPARE(fw::GetLocalizedString("App", "kEdit", QStringLiteral("Edit")),
             QStringLiteral("編輯"));
  }
};

QTEST_GUILESS_MAIN(LocalizedStringsTest)
#include "tst_localized_strings.moc"
