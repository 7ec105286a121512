#include "edit/files/DroppedFiles.h"

#include "edit/files/FileFormats.h"
#include "edit/session/Session.h"

namespace sigmora::edit {

std::optional<int> readingCommandFor(const std::string& path)
{
    const FileFormat* format = formatOfFile(path);
    if (!format || format->readCommand == 0)
        return std::nullopt;
    return format->readCommand;
}

bool openDroppedFile(Session& session, const std::string& path)
{
    const std::optional<int> command = readingCommandFor(path);
    if (!command || !session.handles(*command))
        return false;
    session.commandLineFile = path;
    session.execute(*command);
    // A command abandoned before it read the name does not leave it for the next one.
    session.commandLineFile.reset();
    return true;
}

} // namespace sigmora::edit
