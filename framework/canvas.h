#pragma once
// A drawing area: its backdrop picture, then whatever was drawn into its
// Graphics, which persists until drawn over. It can take text drops and be
// the source of a drag.
#include <QImage>
#include <memory>

#include "framework/control.h"
#include "framework/picture.h"

class QDropEvent;

namespace fw {

class Canvas : public Control {
 public:
  explicit Canvas(Window& window);

  std::shared_ptr<Picture> Backdrop() const { return backdrop_; }
  void SetBackdrop(std::shared_ptr<Picture> picture);
  // The drawing surface; everything drawn shows on the next repaint. Its
  // colour, font and size persist from one use to the next.
  Graphics& GetGraphics();
  const QImage& Drawing() const { return layer_; }
  // Offers text drops to DropObject.
  void AcceptTextDrop();
  bool AcceptsTextDrops() const;

  bool AcceptFocus = false, AcceptTabs = false, UseFocusRing = false, EraseBackground = true;
  void SetProperty(const QString& name, const QJsonValue& value) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Paint(QWidget& widget);
  static bool TakeAsCopy(QDropEvent& event);

  std::shared_ptr<Picture> backdrop_;
  QImage layer_;
  Graphics graphics_{&layer_};
  bool dragging_ = false;
};

}  // namespace fw
