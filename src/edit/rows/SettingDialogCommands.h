#pragma once

#include "edit/session/RowLayout.h"

namespace sigmora::edit {

class Editor;

// "Customize..." of the clock cycle labels, and the height/spacing window's commands.
void registerSettingDialogCommands(Editor& editor);

// Shows the modeless height/spacing window (also what dragging the diagram's bottom does).
void showRowLayoutWindow(Editor& editor);

// The layout change the window makes: signal height, spacing and top margin, held within their
// ranges; the diagram is marked modified when a value changes, and redrawn.
void applyRowLayout(Editor& editor, const RowLayout& layout);

} // namespace sigmora::edit
