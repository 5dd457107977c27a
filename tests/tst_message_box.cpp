// Message boxes: what the user sees, and what a test's handler gets instead.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "framework/message_box.h"

class MessageBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { fw::SetMessageHandler({}); }

  void detailShownUnderTheText_data() {
    QTest::addColumn<QString>("detail");
    QTest::newRow("with a detail") << "The file \"/home/me/.config/Quillfern Preferences\" is not "
                                      "valid.\n\nLine 1, column 1: Start tag expected.";
    QTest::newRow("without") << QString();
  }
  void detailShownUnderTheText() {
    QFETCH(QString, detail);
    const QString text = QStringLiteral("Failed to write the preferences file.");
    QString shownText;
    QString shownDetail;
    // Runs inside the box's own event loop until the box is up, then dismisses it.
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      poll.stop();
      shownText = box->text();
      shownDetail = box->informativeText();
      box->accept();
    });
    poll.start(0);
    fw::MsgBox(text, detail);
    QCOMPARE(shownText, text);
    QCOMPARE(shownDetail, detail);
  }

  void handlersGetWhatTheBoxWouldShow() {
    QStringList got;
    fw::SetDetailedMessageHandler(
        [&got](const QString& text, const QString& detail) { got << text << detail; });
    fw::MsgBox("one", "why");
    fw::MsgBox("two");
    QCOMPARE(got, (QStringList{"one", "why", "two", ""}));
    got.clear();
    fw::SetMessageHandler([&got](const QString& text) { got << text; });
    fw::MsgBox("three", "why");
    QCOMPARE(got, QStringList{"three"});
  }
};

QTEST_MAIN(MessageBoxTest)
#include "tst_message_box.moc"
