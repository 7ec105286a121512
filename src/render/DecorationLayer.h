#pragma once

#include "render/RedrawContext.h"

namespace sigmora::render {

// The frame of the diagram in view pixels: the bounding rectangle, the base of the shadow and of
// the logo. The left edge is the print offset.
Rect diagramFrame(const Layout& layout, int signalCount, int printOffset);

// The bounding rectangle: the white background of the diagram with its black frame, drawn first.
void drawBoundingRectangle(RedrawContext& ctx);

// Margin clean-up, drop shadow and logo, drawn over the annotations and under the names.
void drawDecorations(RedrawContext& ctx);

// The drawing hint picture shown over an almost empty diagram.
void drawHintPicture(RedrawContext& ctx);

} // namespace sigmora::render
