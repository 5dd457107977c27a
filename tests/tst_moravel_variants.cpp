// The supplementary variant table: line and field rules, the file, the yields.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "framework/thread.h"
#include "lookup/moravel_variants.h"
#include "support/characters.h"
#include "support/yield_slice.h"

class MoravelVariantsTest : public QObject {
  Q_OBJECT
 private slots:
  void cleanup() { RestoreUsualYieldSlice(); }
  void table_data();
  void table();
  void stepsPerLineAndVariant();
  void file_data();
  void file();
  void yieldsWhileScanning();
};

void MoravelVariantsTest::table_data() {
  QTest::addColumn<QByteArray>("table");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("variants");

  QTest::newRow("tab separator") << QByteArray("4E00\t5F0C 58F9\n") << "4E00"
                                 << Chars({0x5F0C, 0x58F9});
  QTest::newRow("separator never read") << QByteArray("4E0075F0C\n") << "4E00" << Chars({0x5F0C});
  QTest::newRow("later line") << QByteArray("4DFF\t4E00\n4E00\t5F0C\n4E01\t58F9\n") << "4E00"
                              << Chars({0x5F0C});
  QTest::newRow("first of two lines")
      << QByteArray("4E00\t5F0C\n4E00\t58F9\n") << "4E00" << Chars({0x5F0C});
  QTest::newRow("no line") << QByteArray("4E00\t5F0C\n") << "4E01" << QString();
  QTest::newRow("empty table") << QByteArray() << "4E00" << QString();
  QTest::newRow("two blanks") << QByteArray("4E00\t5F0C  58F9") << "4E00"
                              << Chars({0x5F0C, 0, 0x58F9});
  QTest::newRow("trailing blank") << QByteArray("4E00\t5F0C \n") << "4E00" << Chars({0x5F0C, 0});
  QTest::newRow("only a blank") << QByteArray("4E00\t \n") << "4E00" << Chars({0, 0});
  QTest::newRow("no hex digit") << QByteArray("4E00\txyz 5F0C") << "4E00" << Chars({0, 0x5F0C});
  QTest::newRow("digits then text") << QByteArray("4E00\t5F0Cq\t58F9") << "4E00" << Chars({0x5F0C});
  QTest::newRow("lower-case field") << QByteArray("4E00\t5f0c") << "4E00" << Chars({0x5F0C});
  QTest::newRow("repeats and itself")
      << QByteArray("4E00\t4E00 5F0C 5F0C") << "4E00" << Chars({0x4E00, 0x5F0C, 0x5F0C});
  QTest::newRow("supplementary field")
      << QByteArray("4E00\t20000 2A6D6") << "4E00" << Chars({0x20000, 0x2A6D6});
  QTest::newRow("leading zeros") << QByteArray("4E00\t000000000000000000005F0C") << "4E00"
                                 << Chars({0x5F0C});
  QTest::newRow("surrogate fields") << QByteArray("4E00\tD800 DFFF D7FF E000") << "4E00"
                                    << Chars({0xFFFD, 0xFFFD, 0xD7FF, 0xE000});
  QTest::newRow("over range") << QByteArray("4E00\t110000 10FFFF") << "4E00"
                              << Chars({0xFFFD, 0x10FFFF});
  QTest::newRow("over 32 bits") << QByteArray("4E00\t100000041 FFFFFFFFFFFFFFFFFFFFFFFFFFFF")
                                << "4E00" << Chars({0xFFFD, 0xFFFD});
  QTest::newRow("fields end at line")
      << QByteArray("4E00\t5F0C\n58F9") << "4E00" << Chars({0x5F0C});
  QTest::newRow("LF") << QByteArray("4E00 5F0C\n4E01 58F9\n") << "4E01" << Chars({0x58F9});
  QTest::newRow("CR") << QByteArray("4E00 5F0C\r4E01 58F9\r") << "4E00" << Chars({0x5F0C});
  QTest::newRow("CR next line") << QByteArray("4E00 5F0C\r4E01 58F9\r") << "4E01"
                                << Chars({0x58F9});
  QTest::newRow("CR LF") << QByteArray("4E00 5F0C\r\n4E01 58F9\r\n") << "4E00" << Chars({0x5F0C});
  QTest::newRow("CR LF next line")
      << QByteArray("4E00 5F0C\r\n4E01 58F9\r\n") << "4E01" << Chars({0x58F9});
  QTest::newRow("no final terminator")
      << QByteArray("4E00 5F0C\n4E01 58F9") << "4E01" << Chars({0x58F9});
  QTest::newRow("lower-case key") << QByteArray("4e00\t5F0C\n") << "4E00" << QString();
  QTest::newRow("five-digit line is key 2000")
      << QByteArray("20000 4E00\n") << "2000" << Chars({0, 0x4E00});
  QTest::newRow("five-digit code matches nothing")
      << QByteArray("20000 4E00\n20000\t4E00\n") << "20000" << QString();
  QTest::newRow("key line of five bytes")
      << QByteArray("4E00\t\n4E00\t5F0C") << "4E00" << QString();
  QTest::newRow("key line of four bytes") << QByteArray("4E00\n4E00\t5F0C") << "4E00" << QString();
  QTest::newRow("short line skipped")
      << QByteArray("4E\n\n4E00\t5F0C") << "4E00" << Chars({0x5F0C});
  QTest::newRow("short line as key") << QByteArray("4E\n4E00\t5F0C") << "4E" << QString();
  QTest::newRow("empty code, empty line")
      << QByteArray("4E00\t5F0C\n\n4E01\t58F9") << "" << QString();
  QTest::newRow("empty code, no empty line") << QByteArray("4E00\t5F0C\n") << "" << QString();
  QTest::newRow("empty line, code given")
      << QByteArray("\n\r\n\r4E00\t5F0C") << "4E00" << Chars({0x5F0C});
  QTest::newRow("bytes above ASCII")
      << QByteArray("\xff\xfe\x80\n4E00\t\xe4\xb8\x80 5F0C") << "4E00" << Chars({0, 0x5F0C});
}

void MoravelVariantsTest::table() {
  QFETCH(QByteArray, table);
  QFETCH(QString, code);
  QFETCH(QString, variants);
  QCOMPARE(MoravelVariantsIn(table, code), variants);
}

void MoravelVariantsTest::stepsPerLineAndVariant() {
  // Two lines passed, the third matches with two variants: one step each.
  const QByteArray table("4DFE\t1\n4DFF\t2\n4E00\t5F0C 58F9\n4E01\t3\n");
  MoravelVariantScanner scanner(table, QStringLiteral("4E00"));
  int steps = 1;
  while (scanner.Step()) ++steps;
  QCOMPARE(steps, 5);
  QCOMPARE(scanner.Result(), Chars({0x5F0C, 0x58F9}));
  QVERIFY(!scanner.Step());
}

void MoravelVariantsTest::file_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("variants");
  QTest::newRow("table") << "file" << Chars({0x5F0C, 0x58F9});
  QTest::newRow("missing table") << "missing" << QString();
  QTest::newRow("folder named UniVariants") << "folder" << QString();
  QTest::newRow("empty file") << "empty" << QString();
}

void MoravelVariantsTest::file() {
  QFETCH(QString, kind);
  QFETCH(QString, variants);
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("UniVariants"));
  if (kind == "folder") {
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("UniVariants")));
  } else if (kind != "missing") {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    if (kind == "file") file.write("4DFF\t4E00\n4E00\t5F0C 58F9\n");
  }
  fw::Task<QString> lookup = GetMoravelVariant(path, QStringLiteral("4E00"));
  QTRY_VERIFY(lookup.Done());
  QCOMPARE(lookup.Get(), variants);
}

void MoravelVariantsTest::yieldsWhileScanning() {
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  const QString path = folder.filePath(QStringLiteral("UniVariants"));
  {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("4DFE\t1\n4DFF\t2\n4E00\t5F0C 58F9\n");
  }
  fw::SetYieldSlice(std::chrono::microseconds(0));
  fw::Task<QString> lookup = GetMoravelVariant(path, QStringLiteral("4E00"));
  QVERIFY(!lookup.Done());
  // The table is read when the lookup starts: a later change does not matter.
  QVERIFY(QFile::remove(path));
  int turns = 0;
  while (!lookup.Done() && turns < 100) {
    QCoreApplication::processEvents();
    ++turns;
  }
  QCOMPARE(turns, 4);  // after each of the three lines and the first variant
  QCOMPARE(lookup.Get(), Chars({0x5F0C, 0x58F9}));
}

QTEST_GUILESS_MAIN(MoravelVariantsTest)
#include "tst_moravel_variants.moc"
