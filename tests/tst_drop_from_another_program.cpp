// Text dragged from another program's text box onto the character well, on a
// real X server: the drag goes through the X drag-and-drop protocol between
// two processes, the pointer moved by the X test extension as a hand would.
// The well reads the text, and the other program keeps it.
#include <QApplication>
#include <QMainWindow>
#include <QProcess>
#include <QTest>

#include "framework/canvas.h"
#include "framework/edit_field.h"
#include "framework/static_text.h"
#include "support/app_fixture.h"
#include "support/own_bus.h"
#include "support/program_run.h"
#include "support/x_tools.h"

namespace {

// Counts the drags that reach a widget, so the test knows the well was entered.
class DragWatch : public QObject {
 public:
  explicit DragWatch(QWidget* widget) { widget->installEventFilter(this); }
  int entered = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::DragEnter) ++entered;
    return false;
  }
};

bool MovePointer(QPoint to) {
  return XDoTool({QStringLiteral("mousemove"), QString::number(to.x()), QString::number(to.y())});
}

}  // namespace

class DropFromAnotherProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY2(test::BusNameIsFree(), test::kBusOfItsOwn);
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
  }

  void theOtherProgramKeepsItsText() {
    AppFixture app(RealDataFolder());
    QWidget* window = app.Window()->Widget();
    window->move(0, 0);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QWidget* well = app.Control<fw::Canvas>("Canvas1").Widget();
    const QPoint wellCentre = well->mapToGlobal(well->rect().center());
    DragWatch watch(well);

    // The text box lies clear of the main window.
    QProcess box;
    box.start(QStringLiteral(QUILLFERN_TEXT_BOX_DRAG_SOURCE),
              {QString::number(window->frameGeometry().right() + 50), QStringLiteral("100")});
    QVERIFY(box.waitForStarted());
    const QStringList ready = QString::fromUtf8(test::NextLine(box, 10000)).trimmed().split(' ');
    QCOMPARE(ready.value(0), QStringLiteral("ready"));
    const QPoint boxCentre(ready.value(1).toInt(), ready.value(2).toInt());

    QVERIFY(MovePointer(boxCentre));
    QVERIFY(XDoTool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    QCOMPARE(test::NextLine(box, 10000), QByteArray("dragging\n"));
    // Over the well by steps, then to and fro by a pixel until the drag has
    // entered it: a move that came before the drag took the pointer is lost.
    for (int step = 1; step <= 4; ++step)
      QVERIFY(MovePointer(boxCentre + (wellCentre - boxCentre) * step / 4));
    bool entered = false;
    for (int wiggle = 0; wiggle < 20 && !entered; ++wiggle) {
      QVERIFY(MovePointer(wellCentre + QPoint(wiggle % 2, 0)));
      entered = QTest::qWaitFor([&watch] { return watch.entered > 0; }, 250);
    }
    QVERIFY(entered);
    QVERIFY(XDoTool({QStringLiteral("mouseup"), QStringLiteral("1")}));

    QCOMPARE(test::NextLine(box, 10000),
             "action " + QByteArray::number(int(Qt::CopyAction)) + '\n');
    QCOMPARE(test::NextLine(box, 10000), QStringLiteral("text 說話人\n").toUtf8());
    QTRY_COMPARE(app.Control<fw::EditField>("HanziField").Text(), QStringLiteral("說話"));
    QVERIFY(AppFixture::WaitForLookups());
    QCOMPARE(app.Control<fw::StaticText>("CodeText").Caption(), QStringLiteral("Unicode: 8AAA"));
    box.kill();
    box.waitForFinished();
  }
};

QTEST_MAIN(DropFromAnotherProgramTest)
#include "tst_drop_from_another_program.moc"
