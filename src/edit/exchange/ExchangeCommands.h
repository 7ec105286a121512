#pragma once

namespace sigmora::edit {

class Session;

// The waveform exchange commands: "Sigmora XML..." and "ASCII (comma delimited)" export and
// import, and "&Show ASCII waveforms...".
void registerExchangeCommands(Session& session);

} // namespace sigmora::edit
