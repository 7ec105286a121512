#pragma once

namespace sigmora::edit {

class Session;

// View-menu settings of the waveform drawing: period lines, cycle-label visibility, name
// justification, the name-column and waveform separators, and the level of new signals.
void registerViewCommands(Session& session);

} // namespace sigmora::edit
