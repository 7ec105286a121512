#pragma once

namespace sigmora::edit {

class Editor;

// The time axis and the row geometry: clock edges, zoom, signal height and signal delay.
void registerTimingCommands(Editor& editor);

} // namespace sigmora::edit
