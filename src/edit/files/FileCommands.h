#pragma once

#include <optional>
#include <string>

#include "edit/session/UiPort.h"

namespace sigmora::edit {

class Session;

// "&New", "&Open...", "Save" and "&Save As..." on the native diagram file.
void registerFileCommands(Session& session);

// New: asks once about unsaved changes (Yes, No, Cancel), then resets the diagram; Cancel,
// or a save that did not happen, leaves everything as it was.
void newDiagram(Session& session);
inline constexpr const char* kSavePreviousChanges = "Do you want to save your previous changes?";

// Save: to the current file, or through Save As when the diagram has none. True when written.
bool saveDiagram(Session& session);
// Save As: asks for a name (and whether to overwrite), writes, and takes the name as the
// diagram's file. True when written.
bool saveDiagramAs(Session& session);
// Open: asks about unsaved changes, then reads the command-line file or one chosen in the open
// dialog; previous versions are converted (after a backup copy), a testbench port list is
// imported. A file that cannot be read, or a conversion declined, says why and leaves the open
// diagram, its file name, `modified` and the undo history as they were.
void openDiagram(Session& session);

// The file a reading command (Open, an import) reads: the name handed to the editor for it (a
// file dropped on the window), used up, else the one chosen in the open dialog; nothing when the
// dialog was cancelled or left empty.
std::optional<std::string> fileToRead(Session& session, const UiPort::FileDialog& dialog);

inline constexpr const char* kSaveChanges = "Do you want to save your changes?";
inline constexpr const char* kSaveChangesCaption = "Save Changes?";

// Before a command replaces or closes the diagram: when it has unsaved changes, asks question
// (caption "Save Changes?") with Yes, No and Cancel. True when the command may go on: nothing
// unsaved, No, or Yes and Save wrote the file. Cancel, Esc, or a Save that failed or was
// cancelled answer false, and nothing has changed.
bool askToSaveChanges(Session& session, const std::string& question = kSaveChanges);

// Reads diagram bytes in the current layout as Open reads a file, and on success puts the diagram
// in place of the open one exactly as Open does (label values, text boxes repaired, the first
// state of the undo history), with path as its file name. False, with problem saying why, and
// the open diagram left as it was, when the bytes are not a diagram of this version.
bool openDiagramBytes(Session& session, const std::string& bytes, const std::string& path, std::string& problem);

// Writes the diagram to path in the current layout. A failure is reported and leaves the file
// that was there, and `modified`, as they were; success clears `modified`.
bool writeDiagramFile(Session& session, const std::string& path);

} // namespace sigmora::edit
