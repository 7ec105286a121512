#pragma once

#include <string>
#include <vector>

#include "render/RedrawContext.h"

namespace sigmora::render {

// One clock-cycle label: the column it starts at and the index into the label numbers.
struct CycleLabelSlot {
    int column = 0;
    int number = 0;
    bool operator==(const CycleLabelSlot&) const = default;
};

// The labelled columns among `columns`, for labels every `period` cells from cell 0, scrolled.
std::vector<CycleLabelSlot> cycleLabelSlots(int period, int firstVisibleCell, int columns);

// The text of a label: prefix, a space, the number, a space, suffix.
std::string cycleLabelText(const std::string& prefix, int number, const std::string& suffix);

// The label font: 14 pixels high, normal weight, the platform's sans-serif face.
FontSpec cycleLabelFont();

// Draws the label row above the first signal.
void drawCycleLabels(RedrawContext& ctx);

} // namespace sigmora::render
