#pragma once
// A small busy indicator that turns while it is shown.
#include "framework/control.h"

namespace fw {

class ChasingArrows : public Control {
 public:
  explicit ChasingArrows(Window& window);
  bool Turning() const;
};

}  // namespace fw
