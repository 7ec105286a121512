#pragma once

#include <optional>
#include <string>

#include "edit/values/TextAttributes.h"
#include "render/Geometry.h"

namespace sigmora::edit {

class Session;
class GridMapping;

// Text placement: the click at window point (x, y) opens "Text Attributes" for a new box and, on
// OK with a message, adds it as the only selected text box where placedTextBox puts it (a box
// attached to a row takes that row's height). Answers whether a box was made.
bool placeTextBox(Session& session, int x, int y);

// Where a new text box of the given size lands for a click at window point (x, y), in window
// coordinates: its text is centred on the click's height, and across it starts at the cell
// boundary at or before the click (left justified), is centred on the nearest half-cell point
// (centred), or ends at the boundary at or after it (right justified), so that values sit in
// their cells and centred values in the middle of their data eye. A box beside the rows is moved
// in from the name column and the last column, which are painted over it, until all of it shows.
inline constexpr int kCentreJustified = 1;
inline constexpr int kRightJustified = 2;
render::Rect placedTextBox(const GridMapping& grid, int x, int y, int width, int height, int justification);

// "Edit Text Properties...": edits the last selected text box in the dialog and gives every other
// selected box the same style.
void editTextProperties(Session& session);

// Opens "Text Attributes" for the caption of label `labelIndex` and adds the caption text box
// centred at (centreX, top) in diagram coordinates. Answers whether one was added.
bool addLabelCaption(Session& session, int labelIndex, int centreX, int top);

// "Edit Text Properties..." and the four "Align Edges" commands.
void registerTextCommands(Session& session);

} // namespace sigmora::edit
