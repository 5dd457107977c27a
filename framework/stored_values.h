#pragma once
// Readers of stored layout values that are more than a JSON scalar.
#include <QColor>
#include <QJsonValue>

namespace fw {

// Colours are stored as [red, green, blue], 0 to 255 each.
QColor ColorFrom(const QJsonValue& value);

}  // namespace fw
