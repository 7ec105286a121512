#pragma once

namespace sigmora::edit {

class Editor;

// View-menu settings of the waveform drawing: period lines, cycle-label visibility, name
// justification, the name-column and waveform separators, and the level of new signals.
void registerViewCommands(Editor& editor);

} // namespace sigmora::edit
