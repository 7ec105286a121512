#pragma once

namespace sigmora::edit {

class Session;

// Tab stepping: the next (forward) or previous object of the kind the tool or selection names.
// fromMenu: the menu commands skip text boxes while a text box is being placed. False, with the
// reason in the status bar, when there was nothing to step to.
bool tabStep(Session& session, bool forward, bool fromMenu);
inline constexpr const char* kTabFindsNothing =
    "Tab steps through arrows, labels, time breaks or text boxes: select one of them (or choose its tool) first";
inline constexpr const char* kTabFindsNoArrow = "Tab: the diagram has no arrows";
inline constexpr const char* kTabFindsNoLabel = "Tab: the diagram has no labels";
inline constexpr const char* kTabFindsNoTimeBreak = "Tab: the diagram has no time breaks";

// The text steps of the keys and commands, applied to every selected text box.
inline constexpr int kTextStepDivisor = 4; // a horizontal step is cellWidth / 4
inline constexpr int kTextGridY = 4;       // vertical steps snap to this grid
// Each marks the diagram modified and answers true when a box moved.
bool stepTextsHorizontally(Session& session, int direction);
bool stepTextsVertically(Session& session, int direction);

// The name column one pixel narrower or wider, free text boxes shifted with it.
void nudgeNameColumn(Session& session, int dx);

// Shift+Comma (begin) and Shift+Period (end): the arrowhead toggle of an arrowhead code.
int toggledArrowhead(int code, bool beginHead);

} // namespace sigmora::edit
