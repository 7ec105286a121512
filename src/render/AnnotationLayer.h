#pragma once

#include "render/RedrawContext.h"

namespace sigmora::render {

// Shaded invalid regions from the flood style grid, drawn under the waveforms.
void drawFloodFills(RedrawContext& ctx);

// Arrows, setup/hold labels with their feedback, time breaks, then text boxes.
void drawAnnotations(RedrawContext& ctx);

} // namespace sigmora::render
