#include "support/pointer.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace {

// Sees every event the application delivers, to windows as well as widgets,
// so a move counts whichever widget it reaches and whether it tracks the mouse.
class MoveWatch : public QObject {
 public:
  explicit MoveWatch(QPoint global) : global_(global) { qApp->installEventFilter(this); }
  bool seen = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseMove &&
        static_cast<QMouseEvent*>(event)->globalPosition().toPoint() == global_)
      seen = true;
    return false;
  }

 private:
  QPoint global_;
};

}  // namespace

bool MoveMouse(QWidget* widget, QPoint pos) {
  const QPoint global = widget->mapToGlobal(pos);
  if (QCursor::pos() == global) return true;
  MoveWatch watch(global);
  QTest::mouseMove(widget, pos);
  return QTest::qWaitFor([&watch] { return watch.seen; });
}
