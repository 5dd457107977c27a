#pragma once
// The Qt side of a window: a main window whose central widget is the content
// area, in which every control is placed in content coordinates.
#include <QMainWindow>

namespace fw {

class Window;

class ContentWidget : public QWidget {
 public:
  explicit ContentWidget(Window& owner) : owner_(owner) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Window& owner_;
};

class WindowWidget : public QMainWindow {
 public:
  explicit WindowWidget(Window& owner);
  ContentWidget* Content() const { return content_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Keys that no widget of the window used arrive here.
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  Window& owner_;
  ContentWidget* content_;
};

}  // namespace fw
