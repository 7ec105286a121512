#include "edit/exchange/ExchangeImport.h"

#include "edit/session/Session.h"

namespace sigmora::edit {

namespace {

constexpr const char* kCaption = "Sigmora";
constexpr const char* kLeftOut = "The diagram was imported, but not all of it:";

} // namespace

bool runExchangeImport(Session& session, const std::function<io::ImportResult(model::Diagram& fresh)>& read)
{
    model::Diagram fresh = session.diagram();
    fresh.resetForNew();
    const io::ImportResult result = read(fresh);
    if (!result.ok) {
        session.ui().showMessage(result.error, kCaption, MessageIcon::Warning);
        return false;
    }
    session.resetDiagram();
    session.diagram() = std::move(fresh);
    // The imported diagram has no file of its own yet: closing asks to save it.
    session.diagram().modified = true;
    session.setFilePath({});
    session.refresh();
    session.takeSnapshot();
    showLeftOut(session, result.notes);
    return true;
}

void showLeftOut(Session& session, const std::vector<std::string>& notes)
{
    if (notes.empty())
        return;
    std::string text = kLeftOut;
    for (const std::string& note : notes)
        text += "\n" + note;
    session.ui().showMessage(text, kCaption, MessageIcon::Information);
}

} // namespace sigmora::edit
