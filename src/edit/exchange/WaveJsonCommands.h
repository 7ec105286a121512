#pragma once

namespace sigmora::edit {

class Editor;

// File > Export > "WaveJSON..." and File > Import > "WaveJSON...".
void registerWaveJsonCommands(Editor& editor);

} // namespace sigmora::edit
