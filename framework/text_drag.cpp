#include "framework/text_drag.h"

#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QPixmap>
#include <QStringEncoder>
#include <QWidget>

namespace fw {

const char kUtf16TextFlavour[] = "text/plain;charset=utf-16";

bool TextDrag::Create() { return qApp != nullptr; }

void TextDrag::AddText(const QString& text) { text_ = text; }

void TextDrag::SetDragImage(const QImage& image, QPoint hotSpot) {
  image_ = image;
  hotSpot_ = hotSpot;
}

QByteArray Utf16Bytes(const QString& text) {
  // The encoder writes no byte-order mark unless asked, and passes a lone
  // surrogate through unit for unit, as the text holds it.
  return QStringEncoder(QStringEncoder::Utf16BE).encode(text);
}

QMimeData* TextDrag::MakeMimeData() const {
  auto* data = new QMimeData;
  data->setText(text_);
  data->setData(QString::fromLatin1(kUtf16TextFlavour), Utf16Bytes(text_));
  return data;
}

void TextDrag::StartDrag(QWidget* source) {
  auto* drag = new QDrag(source);
  drag->setMimeData(MakeMimeData());
  if (!image_.isNull()) {
    drag->setPixmap(QPixmap::fromImage(image_));
    drag->setHotSpot(hotSpot_);
  }
  drag->exec(Qt::CopyAction);
}

}  // namespace fw
