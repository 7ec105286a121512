#pragma once

#include <optional>

#include "render/RedrawContext.h"

namespace sigmora::render {

// The rectangle the selected row (or block of cells) is highlighted with, if any. A selection of
// a row the diagram no longer has (after an undo, say) is not highlighted.
std::optional<Rect> selectionHighlightRect(const SelectionView& selection, const Layout& layout, int signalCount);

// The first layer over the cleared surface: SVG header and bounding rectangle (decorations),
// the selection highlight, the period lines and the clock-cycle labels.
void drawBackgroundLayer(RedrawContext& ctx);

} // namespace sigmora::render
