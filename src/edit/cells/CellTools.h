#pragma once

namespace sigmora::edit {

class Session;

// The cell tools the mouse drives: the draw tool (set a level or swap bus phases), the tri-state
// and both tools, and the flood fill. Each takes the signal index and cell index under the pointer
// and answers whether it changed anything.

// Draw tool, button down. high: the point lies in the upper half of the row's band.
bool setLevelClick(Session& session, int row, int cell, bool high);
// Draw tool, each move with the button held (single-bit rows only).
bool setLevelPaint(Session& session, int row, int cell, bool high);
// Tri-state tool, down and move.
bool triStatePaint(Session& session, int row, int cell);
// Both tool: firstClick on button down starts a new bus value, later cells continue it.
bool bothPaint(Session& session, int row, int cell, bool firstClick);
// Flood tool, down and move: the flood style grid takes the tool's style.
bool floodPaint(Session& session, int row, int cell);

// The column a draw-tool click at cell means once the row's edge offsets are counted: a column
// whose left boundary is shifted by more than half a cell is taken as the one to its left.
int delayAdjustedColumn(Session& session, int row, int cell);

} // namespace sigmora::edit
