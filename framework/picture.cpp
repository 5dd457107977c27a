#include "framework/picture.h"

#include <QPainter>

#include "framework/fonts.h"

namespace fw {

QFont Graphics::Font() const { return FontFor(TextFont, TextSize, Bold); }

void Graphics::FillRect(int x, int y, int width, int height) {
  ++revision_;
  QPainter painter(target_);
  painter.fillRect(x, y, width, height, ForeColor);
}

void Graphics::DrawString(const QString& text, int x, int y, int wrapWidth, bool) {
  ++revision_;
  QPainter painter(target_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(ForeColor);
  painter.setFont(Font());
  if (wrapWidth <= 0) {
    painter.drawText(QPointF(x, y), text);
    return;
  }
  const int ascent = painter.fontMetrics().ascent();
  painter.drawText(QRect(x, y - ascent, wrapWidth, target_->height()), Qt::TextWordWrap, text);
}

void Graphics::DrawPicture(const Picture& picture, int x, int y, int width, int height, int sourceX,
                           int sourceY, int sourceWidth, int sourceHeight) {
  ++revision_;
  const QImage source = picture.Composited();
  if (width == kOwnSize) width = source.width();
  if (height == kOwnSize) height = source.height();
  if (sourceWidth == kOwnSize) sourceWidth = source.width();
  if (sourceHeight == kOwnSize) sourceHeight = source.height();
  QPainter painter(target_);
  painter.drawImage(QRect(x, y, width, height), source,
                    QRect(sourceX, sourceY, sourceWidth, sourceHeight));
}

Picture::Picture(int width, int height)
    : image_(qMax(width, 1), qMax(height, 1), QImage::Format_ARGB32_Premultiplied) {
  image_.fill(Qt::white);
}

Picture::Picture(QImage image)
    : image_(image.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

Picture& Picture::Mask() {
  if (!mask_) {
    mask_ = std::make_unique<Picture>(Width(), Height());
    mask_->image_.fill(Qt::black);
  }
  return *mask_;
}

QImage Picture::Composited() const {
  if (!mask_) return image_;
  const int imageRevision = graphics_.Revision();
  const int maskRevision = mask_->graphics_.Revision();
  if (!composited_.isNull() && compositedImageRevision_ == imageRevision &&
      compositedMaskRevision_ == maskRevision)
    return composited_;
  QImage result = image_.convertToFormat(QImage::Format_ARGB32);
  const QImage mask = mask_->image_.convertToFormat(QImage::Format_Grayscale8);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    const uchar* maskLine = y < mask.height() ? mask.constScanLine(y) : nullptr;
    for (int x = 0; x < result.width(); ++x) {
      const int opacity = maskLine && x < mask.width() ? 255 - maskLine[x] : 255;
      line[x] =
          qRgba(qRed(line[x]), qGreen(line[x]), qBlue(line[x]), qAlpha(line[x]) * opacity / 255);
    }
  }
  composited_ = result;
  compositedImageRevision_ = imageRevision;
  compositedMaskRevision_ = maskRevision;
  return composited_;
}
}  // namespace fw
