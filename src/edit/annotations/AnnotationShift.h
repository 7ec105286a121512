#pragma once

#include <string_view>
#include <vector>

#include "model/Diagram.h"

namespace sigmora::edit {

// Makes what is attached to one row follow cells inserted into it or removed from it: the row's
// flood styles and edge offsets, and the time breaks, arrow and label ends and text boxes that
// name the row. count > 0 inserts that many cells at column `column`; count < 0 removes -count
// cells starting there. Columns are absolute cell indices. An annotation end inside removed cells
// deletes the whole annotation (a label with its caption text boxes).
void shiftAnnotations(model::Diagram& diagram, int row, int count, int column);

// The same for several rows at once, each with its own count, in one pass over every list: the
// result is that of shifting the rows one after the other.
struct RowCellShift {
    int row;
    int count;
};
void shiftAnnotations(model::Diagram& diagram, const std::vector<RowCellShift>& shifts, int column);

// Deletes label `index` with its caption text boxes; the captions of later labels are
// renumbered to follow their labels down by one, and so are the timing parameters bound to them.
void deleteLabel(model::Diagram& diagram, int index);

// Edge offsets of a row after removing `count` entries starting at `first`: later entries move
// left, the last `count` become 0, and the removed sum is carried into the following entries so
// that the row keeps its width while every entry stays within 16 pixels of zero where it can.
void removeEdgeOffsets(std::int32_t* entries, int first, int count);

} // namespace sigmora::edit
