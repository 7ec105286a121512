#pragma once

#include <optional>
#include <string>

#include "edit/session/UiPort.h"

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
// imported. A file that cannot be read, or a conversion declined, says why and leaves the open
// diagram, its file name, `modified` and the undo history as they were.
void openDiagram(Editor& editor);

// The file a reading command (Open, an import) reads: the name handed to the editor for it (a
// file dropped on the window), used up, else the one chosen in the open dialog; nothing when the
// dialog was cancelled or left empty.
std::optional<std::string> fileToRead(Editor& editor, const UiPort::FileDialog& dialog);

inline constexpr const char* kSaveChanges = "Do you want to save your changes?";
inline constexpr const char* kSaveChangesCaption = "Save Changes?";

// Before a command replaces or closes the diagram: when it has unsaved changes, asks question
// (caption "Save Changes?") with Yes, No and Cancel. True when the command may go on: nothing
// unsaved, No, or Yes and Save wrote the file. Cancel, Esc, or a Save that failed or was
// cancelled answer false, and nothing has changed.
bool askToSaveChanges(Editor& editor, const std::string& question = kSaveChanges);

// Writes the diagram to path in the current layout. A failure is reported and leaves the file
// that was there, and `modified`, as they were; success clears `modified`.
bool writeDiagramFile(Editor& editor, const std::string& path);

} // namespace sigmora::edit
