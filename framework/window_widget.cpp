#include "framework/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "framework/window.h"

namespace fw {

void ContentWidget::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  owner_.HandlePaint();
}

void ContentWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  owner_.HandleResize();
}

WindowWidget::WindowWidget(Window& owner) : owner_(owner), content_(new ContentWidget(owner)) {
  setCentralWidget(content_);
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  event->accept();
  owner_.HandleCloseRequest();
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  const bool isReturn =
      (event->key() == Qt::Key_Return && event->modifiers() == Qt::NoModifier) ||
      (event->key() == Qt::Key_Enter && (event->modifiers() & ~Qt::KeypadModifier) == 0);
  if (isReturn && owner_.HandleReturn()) {
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void WindowWidget::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) owner_.HandleActivated();
}

}  // namespace fw
