#pragma once
// One outgoing drag of text with a picture of it. The text travels as UTF-16
// and as the desktop's standard text flavour, so any application accepts it.
#include <QImage>
#include <QPoint>
#include <QString>
#include <memory>

class QMimeData;
class QWidget;

namespace fw {

// The flavour names the text is offered under.
extern const char kUtf16TextFlavour[];

class TextDrag {
 public:
  // False when no drag can be made (no application to drag from).
  bool Create();
  void AddText(const QString& text);
  // The image's top left lies hotSpot away from the mouse, up and to the left.
  void SetDragImage(const QImage& image, QPoint hotSpot);

  const QString& Text() const { return text_; }
  const QImage& Image() const { return image_; }
  QPoint HotSpot() const { return hotSpot_; }
  // The data the drop target receives (caller owns it).
  QMimeData* MakeMimeData() const;
  // Runs the drag from source; returns when it is dropped or cancelled.
  void StartDrag(QWidget* source);

 private:
  QString text_;
  QImage image_;
  QPoint hotSpot_;
};

// The UTF-16 bytes of text, high byte first and without a byte-order mark:
// what the UTF-16 flavour means everywhere in the program, Services included.
QByteArray Utf16Bytes(const QString& text);

}  // namespace fw
