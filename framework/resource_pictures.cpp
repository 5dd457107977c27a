#include "framework/resource_pictures.h"

#include <QImage>

namespace fw {
namespace {
int reads = 0;
}

std::shared_ptr<Picture> GetResourcePicture(int id) {
  ++reads;
  QImage image(QStringLiteral(":/resources/pictures/%1.png").arg(id));
  if (image.isNull()) return nullptr;
  return std::make_shared<Picture>(image);
}

int ResourcePictureReads() { return reads; }

}  // namespace fw
