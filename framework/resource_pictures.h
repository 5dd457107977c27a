#pragma once
// Pictures stored with the application, found by number.
#include <memory>

#include "framework/picture.h"

namespace fw {

// The picture stored under id (resources/pictures/<id>.png), freshly read; or
// nullptr when there is none.
std::shared_ptr<Picture> GetResourcePicture(int id);

// How often the store has been asked; lets tests check that callers cache.
int ResourcePictureReads();

}  // namespace fw
