#pragma once
// A picture with an optional mask: in the mask, black is opaque and white is
// transparent, grey in between.
#include <QColor>
#include <QFont>
#include <QImage>
#include <memory>

namespace fw {

class Picture;

// Drawing state and operations on one image. The state (colour, font, size)
// persists between uses, like a canvas's drawing surface.
class Graphics {
 public:
  explicit Graphics(QImage* target) : target_(target) {}

  QColor ForeColor = Qt::black;
  int TextSize = 0;
  QString TextFont = QStringLiteral("System");
  bool Bold = false;

  void FillRect(int x, int y, int width, int height);
  // Draws text with its baseline at y; wrapWidth 0 means no wrapping.
  void DrawString(const QString& text, int x, int y, int wrapWidth = 0, bool condense = false);
  // Sizes of -10000 (kOwnSize) stand for the picture's own size.
  static constexpr int kOwnSize = -10000;
  void DrawPicture(const Picture& picture, int x, int y, int width = kOwnSize,
                   int height = kOwnSize, int sourceX = 0, int sourceY = 0,
                   int sourceWidth = kOwnSize, int sourceHeight = kOwnSize);
  QFont Font() const;
  QImage* Target() const { return target_; }
  // Counts the drawing operations, so that what is derived from the image
  // knows when to derive it again.
  int Revision() const { return revision_; }

 private:
  QImage* target_;
  int revision_ = 0;
};

class Picture {
 public:
  // A new picture, white, of the given size.
  Picture(int width, int height);
  explicit Picture(QImage image);

  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  Graphics& GetGraphics() { return graphics_; }
  // The mask, made (all black: fully opaque) on first use.
  Picture& Mask();
  bool HasMask() const { return mask_ != nullptr; }
  // The picture as it shows: its colours with the mask as transparency.
  QImage Composited() const;
  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  Graphics graphics_{&image_};
  std::unique_ptr<Picture> mask_;
  // The last composite and the revisions of image and mask it was made from.
  mutable QImage composited_;
  mutable int compositedImageRevision_ = -1, compositedMaskRevision_ = -1;
};

}  // namespace fw
