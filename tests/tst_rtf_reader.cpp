// The RTF reader: control words, encodings, destinations, malformed input and
// the built-in help document.
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include "framework/rtf_reader.h"

namespace {

const QByteArray kFontTable =
    R"({\rtf1\mac\ansicpg10000{\fonttbl\f0\fswiss\fcharset77 Helvetica-Bold;)"
    R"(\f1\fswiss\fcharset77 Helvetica;\f2\fnil\fcharset102 STXihei;)"
    R"({\f3\froman\fcharset0 Times-Italic;}{\f4\fnil\fcharset134 \'cb\'ce\'cc\'e5;}})";

// Block texts joined by "\n", so paragraph breaks show in comparisons.
QString BlockTexts(const QTextDocument& doc) {
  QStringList texts;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    texts << block.text();
  }
  return texts.join(QLatin1Char('\n'));
}

QList<QTextBlock> Blocks(const QTextDocument& doc) {
  QList<QTextBlock> blocks;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) blocks << block;
  return blocks;
}

// Format of the first character of needle; an invalid format when absent.
QTextCharFormat FormatOf(const QTextDocument& doc, const QString& needle) {
  const QTextCursor found = doc.find(needle);
  if (found.isNull()) return {};
  QTextCursor cursor(const_cast<QTextDocument*>(&doc));
  cursor.setPosition(found.selectionStart() + 1);
  return cursor.charFormat();
}

QString Family(const QTextCharFormat& format) {
  return format.fontFamilies().toStringList().value(0);
}

void AddTextColumns() {
  QTest::addColumn<QByteArray>("rtf");
  QTest::addColumn<QString>("expected");
}

void TextRow(const char* name, const QByteArray& rtf, const QString& expected) {
  QTest::newRow(name) << rtf << expected;
}

void CheckText() {
  QFETCH(QByteArray, rtf);
  QFETCH(QString, expected);
  QTextDocument doc;
  fw::ReadRtf(rtf, doc);
  QCOMPARE(BlockTexts(doc), expected);
}

QByteArray HelpDocument() {
  QFile file(QStringLiteral(":/resources/help/help.rtf"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class RtfReaderTest : public QObject {
  Q_OBJECT

 private slots:
  void text_data() {
    AddTextColumns();
    TextRow("par", R"({\rtf1 a\par b})", "a\nb");
    TextRow("par twice", R"({\rtf1 a\par\par b})", "a\n\nb");
    TextRow("backslash CR", "{\\rtf1 a\\\rb}", "a\nb");
    TextRow("backslash LF", "{\\rtf1 a\\\nb}", "a\nb");
    TextRow("backslash CR LF is one break", "{\\rtf1 a\\\r\nb}", "a\nb");
    TextRow("bare CR and LF ignored", "{\\rtf1 a\r\nb\rc\nd}", "abcd");
    TextRow("line", R"({\rtf1 a\line b})", QStringLiteral("a\u2028b"));
    TextRow("tab", R"({\rtf1 a\tab b})", "a\tb");
    TextRow("escaped braces", R"({\rtf1 \\\{\}})", "\\{}");
    TextRow("no-break space", R"({\rtf1 a\~b})", QStringLiteral("a\u00A0b"));
    TextRow("optional hyphen dropped", R"({\rtf1 a\-b})", "ab");
    TextRow("non-breaking hyphen", R"({\rtf1 a\_b})", QStringLiteral("a\u2011b"));
    TextRow("punctuation words",
            R"({\rtf1 \emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote})",
            QStringLiteral("\u2014\u2013\u2022\u2018\u2019\u201C\u201D"));
    TextRow("one delimiter space consumed", R"({\rtf1 \b  x})", " x");
    TextRow("unknown words ignored",
            R"({\rtf1\cocoartf824\cocoasubrtf410 \foo\bar12 x\viewkind0 y})", "xy");
    TextRow("negative parameter", R"({\rtf1 \fi-720 x})", "x");
    TextRow("hyphen without digits is text", R"({\rtf1 \b-x})", "-x");
  }
  void text() { CheckText(); }

  void unicodeEscapes_data() {
    AddTextColumns();
    TextRow("default fallback of one skipped", R"({\rtf1 \u22269?x})", QStringLiteral("国x"));
    TextRow("uc0 skips nothing", R"({\rtf1 \uc0\u22269 x})", QStringLiteral("国x"));
    TextRow("uc2", R"({\rtf1 \uc2\u22269??x})", QStringLiteral("国x"));
    TextRow("uc scoped to group", R"({\rtf1 {\uc2\u22269??}\u22269?x})", QStringLiteral("国国x"));
    TextRow("hex fallback counts one", R"({\rtf1 \u22269\'3fx})", QStringLiteral("国x"));
    TextRow("group end stops fallback", R"({\rtf1 {\u22269}x})", QStringLiteral("国x"));
    TextRow("negative value", R"({\rtf1 \u-24691?})", QStringLiteral("龍"));
    TextRow("surrogate pair", R"({\rtf1 \u-10176?\u-9216?})", QStringLiteral("\U00020000"));
    TextRow("lone high surrogate", R"({\rtf1 \u-10176?x})", QStringLiteral("\uFFFDx"));
    TextRow("lone high surrogate at end", R"({\rtf1 \u-10176?})", QStringLiteral("\uFFFD"));
    TextRow("lone low surrogate", R"({\rtf1 \u-9216?x})", QStringLiteral("\uFFFDx"));
    TextRow("high surrogate twice", R"({\rtf1 \u-10176?\u-10176?\u-9216?})",
            QStringLiteral("\uFFFD\U00020000"));
    TextRow("above 65535", R"({\rtf1 \u70000?x})", QStringLiteral("\uFFFDx"));
    TextRow("below -32768", R"({\rtf1 \u-40000?x})", QStringLiteral("\uFFFDx"));
    TextRow("huge value", R"({\rtf1 \u99999999999?x})", QStringLiteral("\uFFFDx"));
    TextRow("no value", R"({\rtf1 \u x})", "x");
    TextRow("huge uc ends with the group", R"({\rtf1 {\uc99999999999\u22269 abc}d})",
            QStringLiteral("国d"));
    TextRow("control characters dropped", R"({\rtf1 a\u0?b\u13?c})", "abc");
    TextRow("frame markers replaced", R"({\rtf1 \u-560?})", QStringLiteral("\uFFFD"));
  }
  void unicodeEscapes() { CheckText(); }

  void codePages_data() {
    AddTextColumns();
    TextRow("GB 2312 font, fcharset102", kFontTable + R"(\f2 \'b9\'fa})", QStringLiteral("国"));
    TextRow("GBK font, fcharset134", R"({\rtf1{\fonttbl\f0\fcharset134 SimSun;}\f0 \'b9\'fa})",
            QStringLiteral("国"));
    TextRow("Big5 font, fcharset136", R"({\rtf1{\fonttbl\f0\fcharset136 MingLiU;}\f0 \'b0\'ea})",
            QStringLiteral("國"));
    TextRow("Shift_JIS font, fcharset128",
            R"({\rtf1{\fonttbl\f0\fcharset128 MS Gothic;}\f0 \'8d\'91})", QStringLiteral("国"));
    TextRow("ASCII under a GBK font", R"({\rtf1{\fonttbl\f0\fcharset134 SimSun;}\f0 ab\'b9\'fa})",
            QStringLiteral("ab国"));
    TextRow("cut multi-byte character", R"({\rtf1{\fonttbl\f0\fcharset134 SimSun;}\f0 \'b9}x)",
            QStringLiteral("\uFFFDx"));
    TextRow("Mac Roman by mac", R"({\rtf1\mac \'a5\'8e})", QStringLiteral("•é"));
    TextRow("Mac Roman by ansicpg10000", R"({\rtf1\ansi\ansicpg10000 \'a5})", QStringLiteral("•"));
    TextRow("Mac Roman font under ansi",
            R"({\rtf1\ansi{\fonttbl\f0\fcharset77 Helvetica;}\f0 \'a5})", QStringLiteral("•"));
    TextRow("windows-1252 by default", R"({\rtf1 \'93\'e9\'80})", QStringLiteral("“é€"));
    TextRow("undefined windows-1252 byte", R"({\rtf1 \'81x})", QStringLiteral("\uFFFDx"));
    TextRow("windows-1251 by ansicpg", R"({\rtf1\ansi\ansicpg1251 \'c0})", QStringLiteral("А"));
    TextRow("Cyrillic font, fcharset204", R"({\rtf1{\fonttbl\f0\fcharset204 Arial;}\f0 \'c0})",
            QStringLiteral("А"));
    TextRow("cpg overrides fcharset", R"({\rtf1{\fonttbl\f0\fcharset0\cpg1251 Arial;}\f0 \'c0})",
            QStringLiteral("А"));
    TextRow("unknown code page read as 1252", R"({\rtf1\ansicpg4242 \'e9})", QStringLiteral("é"));
    TextRow("NUL byte escape dropped", R"({\rtf1 a\'00b})", "ab");
  }
  void codePages() { CheckText(); }

  void skippedDestinations_data() {
    AddTextColumns();
    TextRow("generator", R"({\rtf1{\*\generator Writer 1.0;}x})", "x");
    TextRow("unknown ignorable, nested", R"({\rtf1{\*\foo{a}{b{c}}}x})", "x");
    TextRow("font and colour tables", kFontTable + R"({\colortbl;\red255\green255\blue255;}x})",
            "x");
    TextRow("info", R"({\rtf1{\info{\title T}{\author A}}x})", "x");
    TextRow("paragraph inside info", R"({\rtf1{\info{\title a\par b}}x})", "x");
    TextRow("stylesheet", R"({\rtf1{\stylesheet{\s0 Normal;}}x})", "x");
    TextRow("header and footer", R"({\rtf1{\header H}{\footer F}x})", "x");
    TextRow("picture", R"({\rtf1{\pict\pngblip 89504e470d0a}x})", "x");
    TextRow("binary data with braces", R"({\rtf1{\pict\bin3 }{}}x})", "x");
    TextRow("field result shown", R"({\rtf1{\field{\*\fldinst HYPERLINK "u"}{\fldrslt link}}})",
            "link");
  }
  void skippedDestinations() { CheckText(); }

  void malformedInput_data() {
    AddTextColumns();
    TextRow("empty", "", "");
    TextRow("not RTF", "hello", "hello");
    TextRow("extra closing braces", R"(}}a}b)", "ab");
    TextRow("unclosed groups", R"({\rtf1{\b a{)", "a");
    TextRow("truncated hex at end", R"({\rtf1 ab\'4)", "ab");
    TextRow("hex quote at end", R"({\rtf1 ab\')", "ab");
    TextRow("backslash at end", R"({\rtf1 ab\)", "ab");
    TextRow("half hex escape", R"({\rtf1 a\'4xb})", "axb");
    TextRow("NUL bytes", QByteArray("{\\rtf1 a\0b\0c}", 14), "abc");
    TextRow("font size below int range", R"({\rtf1 \fs-2147483649 x})", "x");
    TextRow("binary longer than input", R"({\rtf1 a\bin99999999999 xyz})", "a");
    TextRow("negative binary length", R"({\rtf1 a\bin-5 x})", "ax");
    TextRow("destination never closed", R"({\rtf1 a{\*\foo b)", "a");
  }
  void malformedInput() { CheckText(); }

  void charFormat_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("needle");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<bool>("underline");
    QTest::addColumn<QString>("family");
    QTest::addColumn<double>("points");
    const QString none;
    const QByteArray body = kFontTable + R"(\f1\fs24 )";
    QTest::newRow("bold") << body + R"(\b x\b0 y})"
                          << "x" << true << false << false << "Helvetica" << 12.0;
    QTest::newRow("bold off") << body + R"(\b x\b0 y})"
                              << "y" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("b1") << body + R"(\b1 x})"
                        << "x" << true << false << false << "Helvetica" << 12.0;
    QTest::newRow("italic") << body + R"(\i x\i0 y})"
                            << "x" << false << true << false << "Helvetica" << 12.0;
    QTest::newRow("italic off") << body + R"(\i x\i0 y})"
                                << "y" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("underline") << body + R"(\ul x\ulnone y})"
                               << "x" << false << false << true << "Helvetica" << 12.0;
    QTest::newRow("ulnone") << body + R"(\ul x\ulnone y})"
                            << "y" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("ul0") << body + R"(\ul x\ul0 y})"
                         << "y" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("group end restores") << body + R"({\b\i\ul\fs40\f2 x}y})"
                                        << "y" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("inside group") << body + R"({\b\i\ul\fs40\f2 x}y})"
                                  << "x" << true << true << true << "STXihei" << 20.0;
    QTest::newRow("plain") << body + R"(\b\i\ul\fs40 \plain x})"
                           << "x" << false << false << false << none << 12.0;
    QTest::newRow("family from table") << body + R"(x})"
                                       << "x" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("Helvetica-Bold implies bold")
        << kFontTable + R"(\f0 x})"
        << "x" << true << false << false << "Helvetica-Bold" << 12.0;
    QTest::newRow("b0 keeps a bold face")
        << kFontTable + R"(\f0\b0 x})"
        << "x" << true << false << false << "Helvetica-Bold" << 12.0;
    QTest::newRow("Times-Italic implies italic")
        << kFontTable + R"(\f3 x})"
        << "x" << false << true << false << "Times-Italic" << 12.0;
    QTest::newRow("name decoded in its charset")
        << kFontTable + R"(\f4 x})"
        << "x" << false << false << false << QStringLiteral("宋体") << 12.0;
    QTest::newRow("unknown font number") << kFontTable + R"(\f9 x})"
                                         << "x" << false << false << false << none << 12.0;
    QTest::newRow("deff") << QByteArray(R"({\rtf1\deff1{\fonttbl{\f1 Arial;}}x})") << "x" << false
                          << false << false << "Arial" << 12.0;
    QTest::newRow("fs36") << body + R"(\fs36 x})"
                          << "x" << false << false << false << "Helvetica" << 18.0;
    QTest::newRow("odd half points") << body + R"(\fs25 x})"
                                     << "x" << false << false << false << "Helvetica" << 12.5;
    QTest::newRow("fs0 ignored") << body + R"(\fs0 x})"
                                 << "x" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("fs below int range ignored")
        << body + R"(\fs-2147483649 x})"
        << "x" << false << false << false << "Helvetica" << 12.0;
    QTest::newRow("huge fs capped") << body + R"(\fs99999999999 x})"
                                    << "x" << false << false << false << "Helvetica" << 1638.0;
  }
  void charFormat() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, needle);
    QTextDocument doc;
    fw::ReadRtf(rtf, doc);
    QVERIFY2(!doc.find(needle).isNull(), qPrintable(BlockTexts(doc)));
    const QTextCharFormat format = FormatOf(doc, needle);
    QTEST(format.fontWeight() >= QFont::Bold, "bold");
    QTEST(format.fontItalic(), "italic");
    QTEST(format.fontUnderline(), "underline");
    QTEST(Family(format), "family");
    QTEST(format.fontPointSize(), "points");
  }

  void alignment_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QList<int>>("alignments");
    const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
    QTest::newRow("default left") << QByteArray(R"({\rtf1 a})") << QList<int>{left};
    QTest::newRow("qc lasts past par")
        << QByteArray(R"({\rtf1\qc a\par b})") << QList<int>{centre, centre};
    QTest::newRow("pard resets") << QByteArray(R"({\rtf1\qc a\par\pard b})")
                                 << QList<int>{centre, left};
    QTest::newRow("ql") << QByteArray(R"({\rtf1\qc a\par\ql b})") << QList<int>{centre, left};
    QTest::newRow("qr") << QByteArray(R"({\rtf1\qr a})") << QList<int>{right};
    QTest::newRow("qj") << QByteArray(R"({\rtf1\qj a})") << QList<int>{int(Qt::AlignJustify)};
    QTest::newRow("qnatural") << QByteArray(R"({\rtf1\qr\ql\qnatural a})") << QList<int>{left};
    QTest::newRow("set late in paragraph")
        << QByteArray(R"({\rtf1 a\qc\par b})") << QList<int>{centre, centre};
  }
  void alignment() {
    QFETCH(QByteArray, rtf);
    QFETCH(QList<int>, alignments);
    QTextDocument doc;
    fw::ReadRtf(rtf, doc);
    QList<int> actual;
    for (const QTextBlock& block : Blocks(doc)) {
      actual << int(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask);
    }
    QCOMPARE(actual, alignments);
  }

  void tabStops() {
    QTextDocument doc;
    fw::ReadRtf(R"({\rtf1\pard\tx720\tx1440 a\tab b\par\pard c})", doc);
    const QList<QTextBlock> blocks = Blocks(doc);
    QCOMPARE(blocks.size(), 2);
    const QList<QTextOption::Tab> tabs = blocks[0].blockFormat().tabPositions();
    QCOMPARE(tabs.size(), 2);
    QCOMPARE(tabs[0].position, 48.0);  // half an inch at 96 pixels an inch
    QCOMPARE(tabs[1].position, 96.0);
    QVERIFY(blocks[1].blockFormat().tabPositions().isEmpty());
  }

  void emptyParagraphKeepsItsSize() {
    QTextDocument doc;
    fw::ReadRtf(R"({\rtf1\fs88 a\par\fs24\par b})", doc);
    const QList<QTextBlock> blocks = Blocks(doc);
    QCOMPARE(blocks.size(), 3);
    QCOMPARE(blocks[1].charFormat().fontPointSize(), 12.0);
  }

  void replacesPreviousContent() {
    QTextDocument doc;
    fw::ReadRtf(R"({\rtf1\qc old\par text})", doc);
    fw::ReadRtf(R"({\rtf1 new})", doc);
    QCOMPARE(BlockTexts(doc), QStringLiteral("new"));
    QCOMPARE(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  }

  void deepNesting_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    const QByteArray open(100000, '{'), close(100000, '}');
    QTest::newRow("unclosed") << open + "x"
                              << "x";
    QTest::newRow("closed") << open + R"(\b x)" + close + "y"
                            << "xy";
    QTest::newRow("inside a skipped group") << "{\\*\\foo" + open + "x" + close + "}y"
                                            << "y";
    QTest::newRow("closing first") << close + open + "x"
                                   << "x";
  }
  void deepNesting() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument doc;
    fw::ReadRtf(rtf, doc);
    QCOMPARE(BlockTexts(doc), expected);
    QCOMPARE(FormatOf(doc, QStringLiteral("x")).fontWeight() >= QFont::Bold,
             rtf.contains(R"(\b x)"));
    if (expected.contains(QLatin1Char('y'))) {
      QVERIFY(FormatOf(doc, QStringLiteral("y")).fontWeight() < QFont::Bold);
    }
  }

  void largeDocument() {
    const QByteArray paragraph = R"(plain {\b bold} \u22269?\'e9 text\par)"
                                 "\r";
    constexpr int kParagraphs = 50000;
    QTextDocument doc;
    fw::ReadRtf("{\\rtf1 " + paragraph.repeated(kParagraphs) + "}", doc);
    QCOMPARE(doc.blockCount(), kParagraphs + 1);
    QCOMPARE(doc.findBlockByNumber(kParagraphs - 1).text(), QStringLiteral("plain bold 国é text"));
  }

  void longRunOfEscapes() {
    // A run built a character at a time, flushed by a format change halfway
    // and started again.
    constexpr int kEscapes = 100000;
    QByteArray rtf = "{\\rtf1\\uc0 ";
    QString expected;
    for (int i = 0; i < kEscapes; ++i) {
      const char16_t unit = char16_t(0x4E00 + i % 500);
      if (i == kEscapes / 2) rtf += "\\b ";
      rtf += "\\u" + QByteArray::number(unit);
      expected += QChar(unit);
    }
    QTextDocument doc;
    fw::ReadRtf(rtf + "}", doc);
    QCOMPARE(doc.blockCount(), 1);
    QCOMPARE(doc.toPlainText(), expected);
    QTextCursor cursor(&doc);
    cursor.setPosition(kEscapes / 2);
    QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
    cursor.setPosition(kEscapes / 2 + 1);
    QVERIFY(cursor.charFormat().fontWeight() >= QFont::Bold);
  }

  void helpDocumentFile() {
    const QByteArray rtf = HelpDocument();
    QVERIFY(rtf.startsWith(R"({\rtf1\mac\ansicpg10000\cocoartf824\cocoasubrtf410)"));
    QVERIFY2(rtf.size() >= 3000 && rtf.size() <= 4600, QByteArray::number(rtf.size()));
    QVERIFY(std::all_of(rtf.begin(), rtf.end(), [](char c) { return (c & 0x80) == 0; }));
    QVERIFY(!rtf.contains('\n'));
    QVERIFY(rtf.contains("\\\r"));
  }

  void helpDocumentRendered() {
    QTextDocument doc;
    fw::ReadRtf(HelpDocument(), doc);
    const QList<QTextBlock> blocks = Blocks(doc);
    QVERIFY(blocks.size() > 10);
    QCOMPARE(blocks[0].text(), QStringLiteral("Quillfern 1.1.0"));
    QVERIFY(FormatOf(doc, QStringLiteral("Quillfern 1.1.0")).fontWeight() >= QFont::Bold);
    QVERIFY(blocks[1].text().isEmpty());
    QVERIFY(!blocks[2].text().isEmpty());  // the notice, framed by empty lines
    QVERIFY(blocks[3].text().isEmpty());

    const QStringList headings = {
        QStringLiteral("What are the variants of the Unified Han characters?"),
        QStringLiteral("So what's the problem?"), QStringLiteral("How does the Quillfern help?"),
        QStringLiteral("How do I use the Quillfern?")};
    qsizetype last = 0;
    for (const QString& heading : headings) {
      const auto found = std::find_if(blocks.begin(), blocks.end(),
                                      [&](const QTextBlock& b) { return b.text() == heading; });
      QVERIFY2(found != blocks.end(), qPrintable(heading));
      QVERIFY(found - blocks.begin() > last);
      last = found - blocks.begin();
      QVERIFY(FormatOf(doc, heading).fontWeight() >= QFont::Bold);
      QVERIFY(found->next().text().isEmpty());
    }

    const QString example = QStringLiteral("\u570B\u56EF\u56F6\u56FB\u56FD\u5700");
    const auto line = std::find_if(blocks.begin(), blocks.end(),
                                   [&](const QTextBlock& b) { return b.text() == example; });
    QVERIFY(line != blocks.end());
    QCOMPARE(line->blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (qsizetype i = 0; i < example.size(); ++i) {
      const QTextCharFormat format = FormatOf(doc, example.mid(i, 1));
      QCOMPARE(format.fontPointSize(), 44.0);
      QCOMPARE(Family(format), QStringLiteral("STXihei"));
    }
    QCOMPARE(line->next().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);

    const QTextCharFormat body = FormatOf(doc, QStringLiteral("Font size"));
    QVERIFY(body.fontWeight() < QFont::Bold);
    QCOMPARE(body.fontPointSize(), 12.0);
    QCOMPARE(Family(body), QStringLiteral("Helvetica"));
    const QString text = doc.toPlainText();
    for (const char* word : {"\"Variants\"", "\"Pronunciation\"", "\"Meaning\"", "Ctrl+Alt+U",
                             "cmake --install", "D-Bus", "only the first character",
                             "drag the character out of the well", "remembers that size"}) {
      QVERIFY2(text.contains(QLatin1StringView(word)), word);
    }
    // An installed program comes with no README and from no package.
    for (const char* word : {"README", "package"})
      QVERIFY2(!text.contains(QLatin1StringView(word)), word);
  }
};

QTEST_MAIN(RtfReaderTest)
#include "tst_rtf_reader.moc"
