#pragma once

#include <string_view>

#include "model/SignalRecord.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// Draws the waveform of one row: cell by cell by the transition rules, with edge arrows, the
// dotted inverted copy of a differential row, or the stroke of a separator row.
class WaveformPainter {
public:
    explicit WaveformPainter(RedrawContext& ctx) : ctx_(ctx) {}

    // Draws the row with its high level at top. waveformOverride replaces the row's own cells and
    // extraDelay (pixels) is added to its delay: the derived preview of a moved row. Pass an empty
    // view and 0 to draw the row as it stands.
    void drawRow(const model::SignalRow& row, int signalIndex, int top, std::string_view waveformOverride = {},
                 int extraDelay = 0);

private:
    void drawPass(const model::SignalRow& row, std::string_view cells, int signalIndex, int top, int extraDelay,
                  bool differentialPass);
    void drawSeparator(const model::SignalRow& row, int signalIndex, int top);

    RedrawContext& ctx_;
};

// Start offset of a row: the sum of edge offset entries 0 .. firstVisibleCell + 1, never negative.
int leadingOffset(const model::CellGrid& offsets, int signalIndex, int firstVisibleCell);

} // namespace sigmora::render
