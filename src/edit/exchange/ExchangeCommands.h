#pragma once

namespace sigmora::edit {

class Editor;

// The waveform exchange commands: "Sigmora XML..." and "ASCII (comma delimited)" export and
// import, and "&Show ASCII waveforms...".
void registerExchangeCommands(Editor& editor);

} // namespace sigmora::edit
