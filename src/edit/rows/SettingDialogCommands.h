#pragma once

#include "edit/values/RowLayout.h"

namespace sigmora::edit {

class Session;

// "Customize..." of the clock cycle labels, and the height/spacing window's commands.
void registerSettingDialogCommands(Session& session);

// Shows the modeless height/spacing window (also what dragging the diagram's bottom does).
void showRowLayoutWindow(Session& session);

// The layout change the window makes: signal height, spacing and top margin, held within their
// ranges; the diagram is marked modified when a value changes, and redrawn.
void applyRowLayout(Session& session, const RowLayout& layout);

} // namespace sigmora::edit
