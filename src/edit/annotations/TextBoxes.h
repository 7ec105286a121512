#pragma once

#include <optional>
#include <string_view>

#include "render/Geometry.h"

namespace sigmora::edit {

class Session;

// Text boxes as the mouse and keys see them: where each lies on the screen and how the selected
// ones move.

inline constexpr std::string_view kLabelTextPrefix = "WFLabel*";

// Whether text box i is the caption of a label.
bool isLabelText(const Session& session, int index);
// The label whose caption text box i is, or -1 for a box of its own.
int labelOfCaption(const Session& session, int index);
// Where text box i lies on the screen: where the last redraw drew its text; a free box not drawn
// yet at its stored rectangle shifted by the scroll offsets.
std::optional<render::Rect> textBoxScreenRect(const Session& session, int index);
// The topmost text box whose rectangle strictly contains the point, or -1.
int textBoxAt(const Session& session, int x, int y);
// How a text box is moved: dragged with the mouse, or stepped by a key, a command or a change of
// the layout around it.
enum class TextMove { Drag, Step };

// Every selected text box moved by (dx, dy): free boxes change their rectangle, label captions
// their drag offsets (the only place a caption's position is kept). A dragged free box also adds
// the distance to its drag offsets; a stepped one leaves them alone. True when a box was selected.
bool moveSelectedTextBoxes(Session& session, int dx, int dy, TextMove how);
// Text box i moved by (dx, dy) the same way.
void moveTextBox(Session& session, int index, int dx, int dy, TextMove how);
int selectedTextCount(const Session& session);
// The lowest selected text index, or -1.
int firstSelectedText(const Session& session);

} // namespace sigmora::edit
