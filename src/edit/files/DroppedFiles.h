#pragma once

#include <optional>
#include <string>

namespace sigmora::edit {

class Session;

// Files dropped on the window: each is read by the command that reads its kind of file, as if
// it had been chosen in that command's open dialog.

// The command that reads a file of this name, by its extension in any case: Open for a diagram
// (.sgm), the import of its format for .svg, .xml, .csv, .json and .vcd; nothing for any other.
std::optional<int> readingCommandFor(const std::string& path);

// Runs the reading command for path with all its questions (unsaved changes first), without
// the open dialog. False, doing nothing, when no command reads such a file.
bool openDroppedFile(Session& session, const std::string& path);

} // namespace sigmora::edit
