#pragma once

namespace sigmora::edit {

class Session;

// File > Export > "WaveJSON..." and File > Import > "WaveJSON...".
void registerWaveJsonCommands(Session& session);

} // namespace sigmora::edit
