#pragma once

#include <optional>
#include <string>

#include "edit/values/TextAttributes.h"

namespace sigmora::edit {

class Session;

// Text placement: the click at window point (x, y) opens "Text Attributes" for a new box and, on
// OK with a message, adds it as the only selected text box. Answers whether a box was made.
bool placeTextBox(Session& session, int x, int y);

// "Edit Text Properties...": edits the last selected text box in the dialog and gives every other
// selected box the same style.
void editTextProperties(Session& session);

// Opens "Text Attributes" for the caption of label `labelIndex` and adds the caption text box
// centred at (centreX, top) in diagram coordinates. Answers whether one was added.
bool addLabelCaption(Session& session, int labelIndex, int centreX, int top);

// "Edit Text Properties..." and the four "Align Edges" commands.
void registerTextCommands(Session& session);

} // namespace sigmora::edit
