#pragma once

#include <string>

namespace sigmora::edit {

class Editor;

// "&Open...", "Save" and "&Save As..." on the native diagram file.
void registerFileCommands(Editor& editor);

// Save: to the current file, or through Save As when the diagram has none. True when written.
bool saveDiagram(Editor& editor);
// Save As: asks for a name (and whether to overwrite), writes, and takes the name as the
// diagram's file. True when written.
bool saveDiagramAs(Editor& editor);
// Open: asks about unsaved changes, then reads the command-line file or one chosen in the open
// dialog; previous versions are converted (after a backup copy), a testbench port list is
// imported. A file that cannot be read leaves an empty diagram and says why.
void openDiagram(Editor& editor);

// Writes the diagram to path in the current layout. A failure is reported and leaves the file
// that was there, and `modified`, as they were; success clears `modified`.
bool writeDiagramFile(Editor& editor, const std::string& path);

} // namespace sigmora::edit
