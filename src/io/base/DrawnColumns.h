#pragma once

// The drawn columns are the drawing's own rule (render/DrawnColumns.h); the readers and writers of
// other programs' files use it under these names.
#include "render/DrawnColumns.h"

namespace sigmora::io {

using render::BusValueBoxes;
using render::cellCountDrawing;
using render::columnValue;
using render::ColumnEdges;
using render::drawnCharacter;
using render::drawnColumnCount;
using render::enteringLevel;
using render::hatchedColumn;
using render::hatchesColumn;
using render::kMaxDrawnColumns;

} // namespace sigmora::io
