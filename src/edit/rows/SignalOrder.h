#pragma once

namespace sigmora::edit {

class Session;

// Moves the selected signal one row up (direction -1) or down (+1): its text boxes, edge offsets
// and flood styles go with it and the neighbour's go the other way; an existing cell copy is
// discarded. Nothing happens for the first row moved up, the last moved down, or with fewer than
// two signals. snapshot: take the undo snapshot the command takes (a name-column drag takes one
// for the whole drag instead). Answers whether the row moved.
bool moveSignal(Session& session, int direction, bool snapshot = true);

// Text boxes attached to the signal named, moved vertically by dy.
void moveAttachedTexts(Session& session, int signalIndex, int dy);

} // namespace sigmora::edit
