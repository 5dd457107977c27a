#pragma once
// Runs drawing_floor, the executable beside this one, on the characters a
// window showed, and reads back the floor's memory.
#include <QSize>
#include <optional>

#include "bench/support/draw_list.h"
#include "bench/support/process_memory.h"

struct FloorMemory {
  ProcessMemory memory;
  qint64 charactersDrawn = 0;
};

// Nothing, with the reason on stderr, when the floor could not be measured.
std::optional<FloorMemory> MeasureDrawingFloor(const DrawList& shown, QSize windowSize);
