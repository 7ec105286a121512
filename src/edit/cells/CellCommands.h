#pragma once

namespace sigmora::edit {

class Session;

// "High", "Low", "TriState", "Both High and Low", "&Invert", "Ideal transition edge" and
// "Non ideal transition edge": the cells of the cell rectangle, or the whole selected row.
// Locked rows and separators are left alone.
void registerCellCommands(Session& session);

} // namespace sigmora::edit
