#pragma once

namespace sigmora::edit {

class Session;

// The time axis and the row geometry: clock edges, zoom, signal height and signal delay.
void registerTimingCommands(Session& session);

} // namespace sigmora::edit
