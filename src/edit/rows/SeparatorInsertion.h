#pragma once

#include "model/Diagram.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

// Inserts a separator row of a kind before the row at index (appends past the end): it is named
// "separator", or "separator %d " with the first free number from 2, the grid rows of the rows
// below move down with them, and text boxes attached to those rows move down one row pitch.
// Answers the new row's index, or -1 when the diagram already has the most rows it can hold.
int insertSeparatorRow(model::Diagram& diagram, int index, model::SeparatorKind kind);

} // namespace sigmora::edit
