#pragma once

#include <optional>

#include "render/RedrawContext.h"

namespace sigmora::render {

// The rectangle the selected row (or block of cells) is highlighted with, if any.
std::optional<Rect> selectionHighlightRect(const SelectionView& selection, const Layout& layout);

// The first layer over the cleared surface: SVG header and bounding rectangle (decorations),
// the selection highlight, the period lines and the clock-cycle labels.
void drawBackgroundLayer(RedrawContext& ctx);

} // namespace sigmora::render
