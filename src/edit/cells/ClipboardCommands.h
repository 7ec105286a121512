#pragma once

namespace sigmora::edit {

class Session;

inline constexpr const char* kInsertCopiedCellsText = "Insert Copied Cells\tCTRL+I";
inline constexpr const char* kShiftRightText = "Shift right\tCTRL+I";

// Copy, Paste and "Insert Copied Cells" of the Edit menu and the signal context menu; the cell
// side of Cut and Delete.
void registerClipboardCommands(Session& session);

} // namespace sigmora::edit
