#pragma once
// Makes a control of a stored layout's class.
#include <QJsonObject>
#include <memory>

#include "framework/control.h"

namespace fw {

// The control for the stored entry's "Class"; an unknown class is a design
// error and throws.
std::unique_ptr<Control> CreateControl(const QJsonObject& stored, Window& window);

}  // namespace fw
