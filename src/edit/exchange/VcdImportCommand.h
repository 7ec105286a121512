#pragma once

namespace sigmora::edit {

class Editor;

// File > Import > "Value Change Dump (VCD)...": a simulation dump made into a diagram.
void registerVcdImportCommand(Editor& editor);

} // namespace sigmora::edit
