#pragma once

#include "edit/session/InteractionState.h"

namespace sigmora::edit {

// The cursor the diagram view shows. The tool cursors are the program's own pictures; the
// sizing, move and arrow cursors are the system's.
enum class CursorRole {
    TextPlacement,
    AlternatePlacement,
    Draw,
    Flood1,
    Flood2,
    Flood3,
    Flood4,
    Flood5,
    Flood6,
    FloodOther,
    FloodErase,
    ArrowFirst,
    ArrowSecond,
    TimeBreak,
    LabelFirst,
    LabelNext,
    TriState,
    Both,
    SizeWestEast,
    SizeNorthSouth,
    Move,
    MoveVertical,
    Arrow,
};

// The cursor for the state and what the pointer hovers; the first matching rule wins.
CursorRole cursorRole(const InteractionState& state);

} // namespace sigmora::edit
