#include "edit/exchange/DumpRefreshCommand.h"

#include "edit/exchange/DumpRefresh.h"
#include "edit/files/FileFormats.h"
#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "io/base/FileAccess.h"

namespace sigmora::edit {

namespace {

constexpr const char* kCaption = "Sigmora";
constexpr const char* kNotAll = "The diagram was refreshed from the dump, but not everything could follow it:";

void refreshCommand(Session& session)
{
    RefreshRequest request;
    // A dump moved or deleted since the import: the user points at the one to read, starting in
    // the folder the dump was in.
    const std::string& remembered = session.diagram().extension.dump.path;
    if (io::notRegularFileReason(remembered) != 0) {
        const std::optional<std::string> other = session.ui().openFileName(readDialogOf(Format::Vcd, remembered));
        if (!other || other->empty())
            return;
        request.dumpPath = *other;
    }
    const RefreshResult result = refreshFromDump(session.diagram(), request, session.measurer());
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
