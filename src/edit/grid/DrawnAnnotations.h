#pragma once

namespace sigmora::edit {

class Session;

// The mouse finds arrows, labels and label captions where the last screen redraw drew them: the
// paths, lines and handle rectangles are the drawing's own, so what is hit is what is seen.
void registerDrawnAnnotations(Session& session);

} // namespace sigmora::edit
