#include "edit/exchange/DumpRefreshCommand.h"

#include "edit/exchange/DumpRefresh.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"

namespace sigmora::edit {

namespace {

constexpr const char* kCaption = "Sigmora";
constexpr const char* kNotAll = "The diagram was refreshed from the dump, but not everything could follow it:";

void refreshCommand(Session& session)
{
    const RefreshResult result = refreshFromDump(session.diagram(), {}, session.measurer());
    if (!result.ok) {
        session.ui().showMessage(result.error, kCaption, MessageIcon::Warning);
        return;
    }
    session.refresh();
    session.takeSnapshot();
    if (result.notes.empty() && result.unplaced.empty())
        return;
    std::string text = kNotAll;
    for (const std::string& line : result.notes)
        text += "\n" + line;
    for (const std::string& line : result.unplaced)
        text += "\n" + line;
    session.ui().showMessage(text, kCaption, MessageIcon::Information);
}

} // namespace

void registerDumpRefreshCommand(Session& session)
{
    session.commands().add(
        cmd::RefreshFromDump, [&session] { refreshCommand(session); },
        [&session](CommandState& state) { state.enabled = !session.diagram().extension.dump.empty(); });
}

} // namespace sigmora::edit
