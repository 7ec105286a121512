#pragma once

#include "edit/values/SignalAttributes.h"

namespace sigmora::edit {

class Session;

inline constexpr const char* kSelectSignalFirst = "Please select a signal first using the Select tool";
inline constexpr const char* kSelectSignalCaption = "Select a signal";
inline constexpr const char* kClockPeriodQuestion =
    "Would you like to also change the clock period and labels to this frequency?";
inline constexpr const char* kClockPeriodCaption = "Modify period lines and clock labels?";

// "Edit Signal Attributes..." and the context menu's "Edit Attributes ...", and "Create a
// logically derived signal".
void registerSignalAttributeCommands(Session& session);

// Opens the dialog on the selected row and applies what it answers.
void editSignalAttributes(Session& session);

// Writes the dialog's values back into the row they were read from: the rename carried to every
// record naming the row, the record rebuilt, a clock's cells and edge offsets rewritten for a new
// frequency or duty cycle, and blank separators made room for a name of several lines.
void applySignalAttributes(Session& session, const SignalAttributes& before, const SignalAttributes& after);

} // namespace sigmora::edit
