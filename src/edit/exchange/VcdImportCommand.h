#pragma once

namespace sigmora::edit {

class Session;

// File > Import > "Value Change Dump (VCD)...": a simulation dump made into a diagram.
void registerVcdImportCommand(Session& session);

} // namespace sigmora::edit
