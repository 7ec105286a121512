#pragma once

#include "model/SignalRecord.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// Draws the name of one row in its name column, line by line, with the active-low bar.
void drawRowName(RedrawContext& ctx, const model::SignalRow& row, int top);

// The names of every visible row, the move preview, then the name-column and waveform separators.
void drawNameLayer(RedrawContext& ctx);

// y of the insertion marker of a row being moved with the mouse at mouseY.
int moveMarkerY(const Layout& layout, int signalCount, int mouseY);

} // namespace sigmora::render
