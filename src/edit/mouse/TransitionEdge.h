#pragma once

#include <optional>

#include "edit/grid/GridMapping.h"
#include "model/Diagram.h"

namespace sigmora::edit {

class Session;

// A transition edge taken hold of with the mouse: the edge at the left of `column` on `row`.
struct EdgeGrip {
    int row = -1;
    int column = -1;
    bool operator==(const EdgeGrip&) const = default;
};

// The edge the point hovers, if any: the row under the pointer must be an unlocked signal row,
// the column inside the diagram, and the pointer's offset inside its column within the
// tolerance window of the edge at its left (or, when that edge was pushed into this column, of
// the edge one column back).
std::optional<EdgeGrip> transitionEdgeAt(const model::Diagram& diagram, const GridMapping& grid, int x, int y);

// Moves the gripped edge by dx pixels (positive: later). An edge pushed past its cell moves the
// transition a whole cell, rewriting the waveform, and the grip follows it. A row whose offsets
// no longer balance is reset. Answers whether anything changed.
bool dragTransitionEdge(model::Diagram& diagram, EdgeGrip& grip, int dx);

// The edge hover, the start of an edge drag and its moves, as the mouse pipeline asks for them.
void registerTransitionEdgeTool(Session& session);

} // namespace sigmora::edit
