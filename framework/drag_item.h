#pragma once
// What a drop brings: the text of its first item.
#include <QString>

namespace fw {

struct DragItem {
  QString Text;
};

}  // namespace fw
