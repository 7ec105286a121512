#pragma once

namespace sigmora::edit {

class Editor;

// The mouse finds arrows, labels and label captions where the last screen redraw drew them: the
// paths, lines and handle rectangles are the drawing's own, so what is hit is what is seen.
void registerDrawnAnnotations(Editor& editor);

} // namespace sigmora::edit
