#pragma once

#include "model/Diagram.h"
#include "render/Layout.h"

namespace sigmora::edit {

// After the cell width, the signal height, the spacing or the top margin changed: puts the text
// boxes back on the grid of the new layout. A box whose left lies over the waveform keeps its
// place on the time axis: its offset from the waveform's start is scaled with the cell width, so
// that it stays on the same part of the same run through any zoom in and back out (a box in the
// name column keeps its x). A box attached to a row keeps its place on that row; a free box moves
// by the change of pitch of every row above it, and one among the rows also by the change of the
// top margin.
// Label captions follow their labels and are left alone. Widths and heights are kept.
void relayoutTextBoxes(model::Diagram& diagram, const render::Layout& before, const render::Layout& after);

// The y at which a box attached to signal index `row` is placed: row × rowPitch +
// signalHeight / 4 + topMargin (unscrolled).
int attachedTextTop(const render::Layout& layout, int row);

// The index of the row a text-box attachment names, or -1 for a free box, a label caption or a
// name no row has.
int attachedRowOfText(const model::ObjectStore& store, std::string_view textRecord);

} // namespace sigmora::edit
