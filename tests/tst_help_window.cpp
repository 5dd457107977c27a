// The Help window: the document it renders, loading once per window, the
// margins kept on resizing, localized documents, and closing it alone.
#include <QFile>
#include <QMainWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "framework/application.h"
#include "framework/edit_field.h"
#include "framework/localized_strings.h"
#include "framework/web_view.h"
#include "help_about/help_window.h"
#include "support/app_fixture.h"
#include "support/characters.h"
#include "support/closing.h"
#include "support/open_windows.h"
#include "support/own_bus.h"

namespace {

HelpWindow* ChooseHelp() {
  if (App::Instance()->HelpQuillfern_Action()) return nullptr;  // the action must let others run
  return OnlyOpen<HelpWindow>();
}

fw::WebkitControl& Web(HelpWindow& help) { return help.ControlByName<fw::WebkitControl>("Web"); }
QTextDocument& Document(HelpWindow& help) { return *Web(help).Browser().document(); }
int Loads(HelpWindow& help) {
  return help.w && help.w->MainFrame() ? help.w->MainFrame()->Loads() : -1;
}

// The first paragraph whose text is exactly `text`.
QTextBlock BlockWithText(const QTextDocument& doc, const QString& text) {
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
    if (block.text() == text) return block;
  return {};
}

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn); }

  void cleanup() {
    fw::InstallStringTable({});
    DeleteClosedWindows();
  }

  void documentShowsItsParagraphs_data() {
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<Qt::Alignment>("alignment");
    QTest::newRow("title") << "Quillfern 1.1.0" << true << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("heading 1") << "What are the variants of the Unified Han characters?" << true
                               << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("heading 2") << "So what's the problem?" << true << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("heading 3") << "How does the Quillfern help?" << true
                               << Qt::Alignment(Qt::AlignLeft);
    QTest::newRow("heading 4") << "How do I use the Quillfern?" << true
                               << Qt::Alignment(Qt::AlignLeft);
    // Four \u escapes, a GB2312 byte pair and one more escape, in that order.
    QTest::newRow("example line") << Chars({0x570B, 0x56EF, 0x56F6, 0x56FB, 0x56FD, 0x5700})
                                  << false << Qt::Alignment(Qt::AlignHCenter);
    QTest::newRow("body text")
        << "The slider marked \"Font size\" changes the size of the variants, and Quillfern "
           "remembers that size from one run to the next."
        << false << Qt::Alignment(Qt::AlignLeft);
  }
  void documentShowsItsParagraphs() {
    QFETCH(QString, paragraph);
    QFETCH(bool, bold);
    QFETCH(Qt::Alignment, alignment);
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    const QTextBlock block = BlockWithText(Document(*help), paragraph);
    QVERIFY2(block.isValid(), qPrintable(Document(*help).toPlainText().left(600)));
    QCOMPARE(block.charFormat().fontWeight() >= QFont::Bold, bold);
    for (auto it = block.begin(); !it.atEnd(); ++it)
      QCOMPARE(it.fragment().charFormat().fontWeight() >= QFont::Bold, bold);
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, alignment);
  }

  void documentOpensAtItsTop() {
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    QTextBrowser& browser = Web(*help).Browser();
    QVERIFY(Document(*help).toPlainText().startsWith(QStringLiteral("Quillfern 1.1.0\n")));
    QTRY_VERIFY(browser.verticalScrollBar()->maximum() > 0);  // longer than the view
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    QCOMPARE(browser.textCursor().position(), 0);
    // Loading again after scrolling down starts from the top again.
    browser.moveCursor(QTextCursor::End);
    browser.verticalScrollBar()->setValue(browser.verticalScrollBar()->maximum());
    help->update();
    QTRY_COMPARE(browser.verticalScrollBar()->value(), 0);
    QCOMPARE(browser.textCursor().position(), 0);
  }

  void choosingHelpAgainNeitherDuplicatesNorReloads() {
    AppFixture app;
    QPointer<HelpWindow> first = ChooseHelp();
    QVERIFY(first);
    QCOMPARE(Loads(*first), 1);
    QCOMPARE(ChooseHelp(), first.data());
    QCOMPARE(Loads(*first), 1);
    QCOMPARE(fw::Window::OpenWindows().size(), size_t(2));

    QCOMPARE(first->FileClose_Action(), false);
    QVERIFY(!OnlyOpen<HelpWindow>());
    DeleteClosedWindows();
    QVERIFY(!first);

    HelpWindow* second = ChooseHelp();
    QVERIFY(second);
    QCOMPARE(Loads(*second), 1);
    QVERIFY(Document(*second).toPlainText().startsWith(QStringLiteral("Quillfern 1.1.0")));
    QCOMPARE(app.messages, QStringList());
  }

  void windowIsResizableDownToItsMinimum() {
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    QCOMPARE(help->Title(), QStringLiteral("Quillfern Help"));
    QCOMPARE(QSize(help->Width(), help->Height()), QSize(550, 446));
    QVERIFY(help->Resizeable());
    QCOMPARE(help->MinimumSize(), QSize(100, 100));
    QVERIFY(help->Widget()->windowFlags() & Qt::WindowMaximizeButtonHint);
    QCOMPARE(Web(*help).Widget()->geometry(), QRect(0, 0, 550, 430));
  }

  void resizingKeepsTheStripBelowTheView_data() {
    QTest::addColumn<QSize>("asked");
    QTest::addColumn<QSize>("content");
    QTest::newRow("larger") << QSize(700, 600) << QSize(700, 600);
    QTest::newRow("smaller") << QSize(120, 120) << QSize(120, 120);
    QTest::newRow("wider, lower") << QSize(900, 200) << QSize(900, 200);
    QTest::newRow("at the minimum") << QSize(100, 100) << QSize(100, 100);
    QTest::newRow("below the minimum") << QSize(40, 30) << QSize(100, 100);
  }
  void resizingKeepsTheStripBelowTheView() {
    QFETCH(QSize, asked);
    QFETCH(QSize, content);
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    QVERIFY(QTest::qWaitForWindowExposed(help->Widget()));
    // The content fills the whole top-level: asking for the top-level's size
    // asks for the content's.
    const QSize chrome = help->Widget()->size() - help->Content()->size();
    help->Widget()->resize(asked + chrome);
    QTRY_COMPARE(help->Content()->size(), content);
    QCOMPARE(QSize(help->Width(), help->Height()), content);
    QTRY_COMPARE(Web(*help).Widget()->geometry(),
                 QRect(0, 0, content.width(), content.height() - 16));
    // Back to the designed size, the designed rectangle again.
    help->Widget()->resize(QSize(550, 446) + chrome);
    QTRY_COMPARE(Web(*help).Widget()->geometry(), QRect(0, 0, 550, 430));
  }

  void hiddenFieldHoldsTheDocumentExactly() {
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    QFile file(QStringLiteral(QUILLFERN_SOURCE_DIR "/resources/help/help.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString stored = QString::fromUtf8(file.readAll());
    QVERIFY(stored.contains(QLatin1Char('\r')));
    QCOMPARE(HelpWindow::kHelpContent(), stored);

    const auto& field = help->ControlByName<fw::EditField>("EditField1");
    QCOMPARE(field.Text(), stored);
    QCOMPARE(field.Text().count(QLatin1Char('\r')), stored.count(QLatin1Char('\r')));
    QVERIFY(!field.MultiLine());
    QVERIFY(!field.Visible());
    QVERIFY(!field.Widget()->isVisible());
    QVERIFY(field.Font().Italic);
    QCOMPARE(field.TextSize(), 0);
    QCOMPARE(field.Bounds(), QRect(36, 312, 178, 165));
  }

  void paintShowsTheView() {
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    fw::WebkitControl& web = Web(*help);
    web.SetVisible(false);
    QVERIFY(!web.Widget()->isVisible());
    help->Content()->grab();  // paints the content, as the window system would
    QVERIFY(web.Visible());
    QVERIFY(web.Widget()->isVisible());
  }

  void localizedDocumentReplacesTheWholeDocument_data() {
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("shown");
    QTest::newRow("German") << "{\\rtf1 Hallo}"
                            << "Hallo";
    QTest::newRow("Chinese by escapes")
        << "{\\rtf1\\ansi \\u24171?\\u21161?}" << Chars({0x5E6B, 0x52A9});
    QTest::newRow("two paragraphs, CR line ends") << "{\\rtf1 Eins\\\r\nZwei}"
                                                  << "Eins\nZwei";
    // Longer than a single-line field takes by default.
    const QString longText = QString(40000, QLatin1Char('x'));
    QTest::newRow("longer than a line field holds")
        << "{\\rtf1 " + longText + " Ende}" << longText + " Ende";
  }
  void localizedDocumentReplacesTheWholeDocument() {
    QFETCH(QString, rtf);
    QFETCH(QString, shown);
    fw::InstallStringTable({{QStringLiteral("HelpWindow.kHelpContent"), rtf}});
    AppFixture app;
    HelpWindow* help = ChooseHelp();
    QVERIFY(help);
    QCOMPARE(help->ControlByName<fw::EditField>("EditField1").Text(), rtf);
    QCOMPARE(Document(*help).toPlainText(), shown);
    QCOMPARE(Loads(*help), 1);
    QCOMPARE(app.messages, QStringList());
  }

  void closeClosesOnlyTheHelpWindow_data() {
    QTest::addColumn<bool>("byKey");
    QTest::newRow("File > Close") << false;
    QTest::newRow("Ctrl+W") << true;
  }
  void closeClosesOnlyTheHelpWindow() {
    QFETCH(bool, byKey);
    AppFixture app;
    VerifyClosingLeavesOnlyTheMainWindow(app, ChooseHelp(), byKey);
    if (QTest::currentTestFailed()) return;
    QVERIFY(!OnlyOpen<HelpWindow>());
  }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_help_window.moc"
