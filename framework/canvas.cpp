#include "framework/canvas.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include "framework/property_table.h"
#include "framework/window.h"

namespace fw {

Canvas::Canvas(Window& window) : Control(window, new QWidget(window.Content())) {}

void Canvas::SetBackdrop(std::shared_ptr<Picture> picture) {
  backdrop_ = std::move(picture);
  Widget()->update();
}

Graphics& Canvas::GetGraphics() {
  const QSize size = Widget()->size().expandedTo(QSize(1, 1));
  if (layer_.size() != size) {
    QImage grown(size, QImage::Format_ARGB32_Premultiplied);
    grown.fill(Qt::transparent);
    QPainter(&grown).drawImage(0, 0, layer_);
    layer_ = grown;
  }
  Widget()->update();
  return graphics_;
}

void Canvas::AcceptTextDrop() { Widget()->setAcceptDrops(true); }
bool Canvas::AcceptsTextDrops() const { return Widget()->acceptDrops(); }

void Canvas::SetProperty(const QString& name, const QJsonValue& value) {
  static const PropertyTable<Canvas> kProperties{
      {"AcceptFocus",
       [](Canvas& c, const QJsonValue& v) {
         c.AcceptFocus = v.toBool();
         c.Widget()->setFocusPolicy(c.AcceptFocus ? Qt::StrongFocus : Qt::NoFocus);
       }},
      {"AcceptTabs", [](Canvas& c, const QJsonValue& v) { c.AcceptTabs = v.toBool(); }},
      {"UseFocusRing", [](Canvas& c, const QJsonValue& v) { c.UseFocusRing = v.toBool(); }},
      {"EraseBackground", [](Canvas& c, const QJsonValue& v) { c.EraseBackground = v.toBool(); }},
  };
  if (!kProperties.Apply(*this, name, value)) Control::SetProperty(name, value);
}

void Canvas::Paint(QWidget& widget) {
  QPainter painter(&widget);
  if (backdrop_) painter.drawImage(0, 0, backdrop_->Composited());
  if (!layer_.isNull()) painter.drawImage(0, 0, layer_);
}

// The canvas only reads the text, so a drop is a copy whatever the source
// proposes: a source that offers a move too deletes what it sent when the move
// is accepted. A source that allows no copy is refused, so it keeps its text.
bool Canvas::TakeAsCopy(QDropEvent& event) {
  if (!event.mimeData()->hasText() || !(event.possibleActions() & Qt::CopyAction)) {
    event.ignore();
    return false;
  }
  event.setDropAction(Qt::CopyAction);
  event.accept();
  return true;
}

bool Canvas::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Widget()) return false;
  switch (event->type()) {
    case QEvent::Paint:
      Paint(*Widget());
      return true;
    case QEvent::MouseButtonPress: {
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      dragging_ = RaiseBool(QStringLiteral("MouseDown"), p.x(), p.y());
      return dragging_;
    }
    case QEvent::MouseMove: {
      if (!dragging_) return false;
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      RaiseXY(QStringLiteral("MouseDrag"), p.x(), p.y());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      if (!dragging_) return false;
      dragging_ = false;
      const QPoint p = static_cast<QMouseEvent*>(event)->position().toPoint();
      RaiseXY(QStringLiteral("MouseUp"), p.x(), p.y());
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
      TakeAsCopy(*static_cast<QDropEvent*>(event));
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (TakeAsCopy(*drop))
        RaiseDrop(DragItem{drop->mimeData()->text()}, static_cast<int>(drop->dropAction()));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace fw
