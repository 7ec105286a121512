#pragma once

#include "render/RedrawContext.h"

namespace sigmora::render {

// Margin clean-up, drop shadow and logo, drawn over the annotations and under the names.
void drawDecorations(RedrawContext& ctx);

// The drawing hint picture shown over an almost empty diagram.
void drawHintPicture(RedrawContext& ctx);

} // namespace sigmora::render
