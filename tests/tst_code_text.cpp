// Code text of a character, its first whole character and its database group.
#include <QTest>

#include "lookup/code_text.h"
#include "lookup/database_group.h"
#include "support/characters.h"

Q_DECLARE_METATYPE(DatabaseGroup)

namespace {
QString Unit(char16_t unit) { return QString(QChar(unit)); }
}  // namespace

class CodeTextTest : public QObject {
  Q_OBJECT
 private slots:
  void codeAndFirstCharacter_data();
  void codeAndFirstCharacter();
  void databaseGroup_data();
  void databaseGroup();
  void midCharacters_data();
  void midCharacters();
};

void CodeTextTest::codeAndFirstCharacter_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("code");
  QTest::addColumn<QString>("first");

  QTest::newRow("U+0041") << Chars({0x41}) << "0041" << Chars({0x41});
  QTest::newRow("U+0000") << Unit(0) << "0000" << Unit(0);
  QTest::newRow("U+4E00") << Chars({0x4E00}) << "4E00" << Chars({0x4E00});
  QTest::newRow("U+9FA5") << Chars({0x9FA5}) << "9FA5" << Chars({0x9FA5});
  QTest::newRow("U+FFFF") << Unit(0xFFFF) << "FFFF" << Unit(0xFFFF);
  QTest::newRow("U+10000") << Chars({0x10000}) << "10000" << Chars({0x10000});
  QTest::newRow("U+20000") << kSupplementary << "20000" << kSupplementary;
  QTest::newRow("U+2A6D6") << Chars({0x2A6D6}) << "2A6D6" << Chars({0x2A6D6});
  QTest::newRow("U+2F800") << Chars({0x2F800}) << "2F800" << Chars({0x2F800});
  QTest::newRow("U+10FFFF") << Chars({0x10FFFF}) << "10FFFF" << Chars({0x10FFFF});
  QTest::newRow("empty") << QString() << QString() << QString();
  QTest::newRow("first of several") << Chars({0x4E00, 0x41}) << "4E00" << Chars({0x4E00});
  QTest::newRow("pair then more") << kSupplementary + Chars({0x4E00}) << "20000" << kSupplementary;
  QTest::newRow("lone high") << Unit(0xD840) << "D840" << Unit(0xD840);
  QTest::newRow("lone high then BMP") << Unit(0xD840) + Unit(0x41) << "D840" << Unit(0xD840);
  QTest::newRow("lone low") << Unit(0xDC00) << "DC00" << Unit(0xDC00);
  QTest::newRow("low before high") << Unit(0xDC00) + Unit(0xD840) << "DC00" << Unit(0xDC00);
  QTest::newRow("high high low") << Unit(0xD840) + kSupplementary << "D840" << Unit(0xD840);
}

void CodeTextTest::codeAndFirstCharacter() {
  QFETCH(QString, text);
  QFETCH(QString, code);
  QFETCH(QString, first);
  QCOMPARE(GetUnicodeCode(text), code);
  QCOMPARE(FirstCharacter(text), first);
}

void CodeTextTest::databaseGroup_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<DatabaseGroup>("group");

  QTest::newRow("3400") << "3400" << DatabaseGroup::Hanzidata;
  QTest::newRow("4E00") << "4E00" << DatabaseGroup::Hanzidata;
  QTest::newRow("5000") << "5000" << DatabaseGroup::Hanzidata2;
  QTest::newRow("6FFF") << "6FFF" << DatabaseGroup::Hanzidata2;
  QTest::newRow("7000") << "7000" << DatabaseGroup::Hanzidata3;
  QTest::newRow("8FFF") << "8FFF" << DatabaseGroup::Hanzidata3;
  QTest::newRow("9FA5") << "9FA5" << DatabaseGroup::Hanzidata4;
  QTest::newRow("F900") << "F900" << DatabaseGroup::Hanzidata4;
  QTest::newRow("20000") << "20000" << DatabaseGroup::Hanzidata5;
  QTest::newRow("2F800") << "2F800" << DatabaseGroup::Hanzidata5;
  QTest::newRow("100000") << "100000" << DatabaseGroup::None;
  QTest::newRow("0041") << "0041" << DatabaseGroup::None;
  QTest::newRow("A000") << "A000" << DatabaseGroup::None;
  QTest::newRow("E000") << "E000" << DatabaseGroup::None;
  QTest::newRow("lower-case f") << "f900" << DatabaseGroup::None;
  QTest::newRow("three digits") << "4E0" << DatabaseGroup::None;
  QTest::newRow("empty") << "" << DatabaseGroup::None;
}

void CodeTextTest::databaseGroup() {
  QFETCH(QString, code);
  QFETCH(DatabaseGroup, group);
  QCOMPARE(DatabaseGroupOf(code), group);
}

// Whole characters by position: what the variant tooltip and a drop read.
void CodeTextTest::midCharacters_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("position");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("expected");
  const QString& wide = kSupplementary;
  QTest::newRow("first of three") << "漢字詞" << 1 << 1 << "漢";
  QTest::newRow("first two") << "漢字詞" << 1 << 2 << "漢字";
  QTest::newRow("two of one") << "漢" << 1 << 2 << "漢";
  QTest::newRow("after a pair") << wide + "大" << 2 << 1 << "大";
  QTest::newRow("the pair itself") << "大" + wide << 2 << 1 << wide;
  QTest::newRow("pair counted once") << wide + wide + "大" << 1 << 2 << wide + wide;
  QTest::newRow("lone surrogate") << Unit(0xD800) + "大" << 2 << 1 << "大";
  QTest::newRow("past the end") << "大太" << 3 << 1 << "";
  QTest::newRow("position zero") << "大太" << 0 << 1 << "";
  QTest::newRow("negative position") << "大太" << -4 << 1 << "";
  QTest::newRow("empty text") << "" << 1 << 1 << "";
}

void CodeTextTest::midCharacters() {
  QFETCH(QString, text);
  QFETCH(int, position);
  QFETCH(int, count);
  QFETCH(QString, expected);
  QCOMPARE(MidCharacters(text, position, count), expected);
}

QTEST_GUILESS_MAIN(CodeTextTest)
#include "tst_code_text.moc"
