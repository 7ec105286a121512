#pragma once

#include "model/Diagram.h"

namespace sigmora::edit {

// Before a row is inserted at index `at`: a label with one end above the new row and one below it
// keeps its measure line with the rows on the line's side: a line among the rows that move down
// moves with them, a line above the new row stays, whichever end the drawing counts the line
// from. (The line is drawn at an offset from the label's begin anchor, so without this a row
// inserted between a label's two ends would move one end and leave the line behind, or take the
// line along away from its place.) Labels with both ends on one side move, or stay, whole.
void keepLabelLinesOverInsertedRow(model::Diagram& diagram, int at);

} // namespace sigmora::edit
