#include "framework/stored_values.h"

#include <QJsonArray>

namespace fw {

QColor ColorFrom(const QJsonValue& value) {
  const QJsonArray rgb = value.toArray();
  return QColor(rgb.at(0).toInt(), rgb.at(1).toInt(), rgb.at(2).toInt());
}

}  // namespace fw
