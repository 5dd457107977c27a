#include "app/project_pictures.h"

#include "framework/resource_pictures.h"

namespace {
template <int Id>
std::shared_ptr<fw::Picture> Cached() {
  static std::shared_ptr<fw::Picture> cache;
  if (!cache) cache = fw::GetResourcePicture(Id);
  return cache;
}
}  // namespace

std::shared_ptr<fw::Picture> roundedfield() { return Cached<170>(); }
std::shared_ptr<fw::Picture> roundedfieldmask() { return Cached<168>(); }
std::shared_ptr<fw::Picture> imagewellipict() { return Cached<169>(); }
std::shared_ptr<fw::Picture> imagewellmask() { return Cached<171>(); }
std::shared_ptr<fw::Picture> icon64() { return Cached<173>(); }
std::shared_ptr<fw::Picture> icon64mask() { return Cached<174>(); }
