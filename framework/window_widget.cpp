#include "framework/window_widget.h"

#include <QCloseEvent>

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

void WindowWidget::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) owner_.HandleActivated();
}

}  // namespace fw
