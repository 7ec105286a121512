#include "render/AnnotationLayer.h"

namespace sigmora::render {

// The annotation kinds are drawn by their own painters as they are built; until then these
// layers keep their place in the redraw order and draw nothing.

void drawFloodFills(RedrawContext&)
{
}

void drawAnnotations(RedrawContext&)
{
}

} // namespace sigmora::render
