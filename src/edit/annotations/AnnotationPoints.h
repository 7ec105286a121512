#pragma once

#include <string>

#include "model/Diagram.h"
#include "render/Layout.h"

namespace sigmora::edit {

// The point text of an arrow, label or time-break end: the cell, then the name of the row (the
// last row's when the row lies below it, the first row's when above), each followed by '.'.
// `fallbackName`, when given, stands for a row below the last one instead.
std::string pointText(const model::Diagram& diagram, int cell, int row, const char* fallbackName = nullptr);

// A window point in unscrolled diagram coordinates.
int unscrolledX(const render::Layout& layout, int x);
int unscrolledY(const render::Layout& layout, int y);

// The nearest multiple of 5: a remainder of 0 to 2 goes down, 3 and 4 go up.
int roundToFive(int v);

// Where an anchored end is drawn, in unscrolled diagram coordinates, by the drawing's endpoint
// rule: the cell's left edge moved by the row's edge offsets (and into a slanted edge by the
// anchor's share of it), at the anchor's height on the row.
struct AnchorPoint {
    int x = 0;
    int y = 0;
};
AnchorPoint anchorPoint(const model::Diagram& diagram, int cell, int row, int anchor);

} // namespace sigmora::edit
