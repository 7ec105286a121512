#include "render/DecorationLayer.h"

namespace sigmora::render {

// Decorations keep their place in the redraw order; they draw nothing until they are built.

void drawDecorations(RedrawContext&)
{
}

void drawHintPicture(RedrawContext&)
{
}

} // namespace sigmora::render
