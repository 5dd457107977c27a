// Another program's editable text box for drops across processes. It holds
// 說話人, all selected, at the place given on its command line (x y), and
// prints "ready" and the box's centre on screen once shown. A press in the
// box drags the selection as QTextEdit does: copy or move offered, move
// preferred, and the text removed when the drop was a move. When the drag
// ends it prints the drop action and its remaining text, and stays, as the
// drop's target reads the data from it after the drag.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>
#include <cstdio>

namespace {

void Print(const QString& line) {
  std::fputs(qPrintable(line + '\n'), stdout);
  std::fflush(stdout);
}

class DragSourceBox : public QTextEdit {
 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    drag->setMimeData(createMimeDataFromSelection());
    Print(QStringLiteral("dragging"));
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
    if (action == Qt::MoveAction && drag->target() != this) textCursor().removeSelectedText();
    Print(QStringLiteral("action %1").arg(int(action)));
    Print(QStringLiteral("text %1").arg(toPlainText()));
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  DragSourceBox box;
  box.setWindowTitle(QStringLiteral("another program"));
  box.setPlainText(QStringLiteral("說話人"));
  box.selectAll();
  box.resize(300, 150);
  if (args.size() >= 3) box.move(args.at(1).toInt(), args.at(2).toInt());
  box.show();
  // Ready once the window system shows the box, so a press there reaches it.
  if (!QTest::qWaitForWindowExposed(&box)) return 1;
  const QPoint centre = box.viewport()->mapToGlobal(box.viewport()->rect().center());
  Print(QStringLiteral("ready %1 %2").arg(centre.x()).arg(centre.y()));
  return app.exec();
}
