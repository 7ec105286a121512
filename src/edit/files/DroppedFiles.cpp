#include "edit/files/DroppedFiles.h"

#include <array>
#include <utility>

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "model/TextCase.h"

namespace sigmora::edit {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 6> kReaders{{
    {".sgm", cmd::FileOpen},
    {".svg", cmd::ImportSvg},
    {".xml", cmd::ImportXml},
    {".csv", cmd::ImportCsv},
    {".json", cmd::ImportWaveJson},
    {".vcd", cmd::ImportVcd},
}};

} // namespace

std::optional<int> readingCommandFor(const std::string& path)
{
    const std::string_view name(path);
    for (const auto& [extension, command] : kReaders) {
        if (name.size() > extension.size() &&
            model::equalsIgnoringCase(name.substr(name.size() - extension.size()), extension))
            return command;
    }
    return std::nullopt;
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
