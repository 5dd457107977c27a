// The one reader of hexadecimal character fields, as the variant columns and
// UniVariants both use it: the same answers from bytes and from text.
#include <QTest>

#include "lookup/hex_field.h"
#include "lookup/variant_items.h"

class HexFieldTest : public QObject {
  Q_OBJECT

 private slots:
  void readsTheLeadingDigits_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<uint>("character");
    QTest::newRow("four digits") << "4E00" << 0x4E00u;
    QTest::newRow("lower case") << "9fa5" << 0x9FA5u;
    QTest::newRow("five digits") << "20000" << 0x20000u;
    QTest::newRow("six digits, the last character") << "10FFFF" << 0x10FFFFu;
    QTest::newRow("leading zeros") << "00000041" << 0x41u;
    QTest::newRow("a tail after the digits") << "56FD<kMeyerWempe" << 0x56FDu;
    QTest::newRow("a blank ends the digits") << "4E00 4E01" << 0x4E00u;
    QTest::newRow("no digit") << "<kLau" << 0u;
    QTest::newRow("empty") << "" << 0u;
    QTest::newRow("a letter past F") << "4G00" << 0x4u;
    QTest::newRow("full-width digits are not digits") << "４Ｅ００" << 0u;
    QTest::newRow("just above the last character") << "110000" << 0xFFFDu;
    QTest::newRow("far too many digits") << "FFFFFFFFFFFFFFFFFFFF" << 0xFFFDu;
    QTest::newRow("many zeros, then too much") << "000000000000110000" << 0xFFFDu;
    QTest::newRow("first surrogate") << "D800" << 0xFFFDu;
    QTest::newRow("last surrogate") << "DFFF" << 0xFFFDu;
    QTest::newRow("just below the surrogates") << "D7FF" << 0xD7FFu;
    QTest::newRow("just above the surrogates") << "E000" << 0xE000u;
  }
  void readsTheLeadingDigits() {
    QFETCH(QString, field);
    QFETCH(uint, character);
    QCOMPARE(uint(HexFieldCharacter(QStringView(field))), character);
    const QByteArray bytes = field.toUtf8();
    QCOMPARE(uint(HexFieldCharacter(QByteArrayView(bytes))), character);
  }

  // A variant item drops its first "U+" and is then read as a field.
  void variantItems_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("character");
    QTest::newRow("plain") << "U+56FD" << QStringLiteral("国");
    QTest::newRow("with a source") << "U+5F0C<kLau,kMatthews" << QStringLiteral("弌");
    QTest::newRow("supplementary") << "U+20000" << QString::fromUcs4(U"\U00020000");
    QTest::newRow("no U+") << "56FD" << QStringLiteral("国");
    QTest::newRow("only U+") << "U+" << QString(QChar(0));
    QTest::newRow("surrogate") << "U+D840" << QStringLiteral("\uFFFD");
  }
  void variantItems() {
    QFETCH(QString, item);
    QFETCH(QString, character);
    QCOMPARE(VariantItemCharacter(item), character);
  }
};

QTEST_GUILESS_MAIN(HexFieldTest)
#include "tst_hex_field.moc"
