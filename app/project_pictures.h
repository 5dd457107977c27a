#pragma once
// The program's pictures, each read from the resources by the first call that
// finds it and kept for the run; a missing one is looked for again next time.
#include <memory>

#include "framework/picture.h"

std::shared_ptr<fw::Picture> roundedfield();      // frame of the search field
std::shared_ptr<fw::Picture> roundedfieldmask();  // its mask
std::shared_ptr<fw::Picture> imagewellipict();    // frame of the character well
std::shared_ptr<fw::Picture> imagewellmask();     // its mask
std::shared_ptr<fw::Picture> icon64();            // the program icon
std::shared_ptr<fw::Picture> icon64mask();        // its mask
