#include "framework/chasing_arrows.h"

#include <QPainter>
#include <QTimer>
#include <QWidget>

#include "framework/window.h"

namespace fw {
namespace {

class Spinner : public QWidget {
 public:
  explicit Spinner(QWidget* parent) : QWidget(parent) {
    timer_.setInterval(80);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] {
      step_ = (step_ + 1) % 8;
      update();
    });
  }
  bool Turning() const { return timer_.isActive(); }

 protected:
  void showEvent(QShowEvent*) override { timer_.start(); }
  void hideEvent(QHideEvent*) override { timer_.stop(); }
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const double radius = qMin(width(), height()) / 2.0 - 2;
    for (int i = 0; i < 8; ++i) {
      QColor color = palette().color(QPalette::WindowText);
      color.setAlphaF(((i - step_ + 8) % 8 + 1) / 8.0);
      painter.setPen(QPen(color, 2, Qt::SolidLine, Qt::RoundCap));
      painter.drawLine(QPointF(0, -radius / 2), QPointF(0, -radius));
      painter.rotate(45);
    }
  }

 private:
  QTimer timer_;
  int step_ = 0;
};

}  // namespace

ChasingArrows::ChasingArrows(Window& window) : Control(window, new Spinner(window.Content())) {}

bool ChasingArrows::Turning() const { return static_cast<Spinner*>(Widget())->Turning(); }

}  // namespace fw
