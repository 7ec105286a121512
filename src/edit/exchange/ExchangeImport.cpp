#include "edit/exchange/ExchangeImport.h"

#include "edit/Editor.h"

namespace sigmora::edit {

namespace {

constexpr const char* kCaption = "Sigmora";
constexpr const char* kLeftOut = "The diagram was imported, but not all of it:";

} // namespace

bool runExchangeImport(Editor& editor, const std::function<io::ImportResult(model::Diagram& fresh)>& read)
{
    model::Diagram fresh = editor.diagram();
    fresh.resetForNew();
    const io::ImportResult result = read(fresh);
    if (!result.ok) {
        editor.ui().showMessage(result.error, kCaption, MessageIcon::Warning);
        return false;
    }
    editor.resetDiagram();
    editor.diagram() = std::move(fresh);
    // The imported diagram has no file of its own yet: closing asks to save it.
    editor.diagram().modified = true;
    editor.setFilePath({});
    editor.refresh();
    editor.takeSnapshot();
    showLeftOut(editor, result.notes);
    return true;
}

void showLeftOut(Editor& editor, const std::vector<std::string>& notes)
{
    if (notes.empty())
        return;
    std::string text = kLeftOut;
    for (const std::string& note : notes)
        text += "\n" + note;
    editor.ui().showMessage(text, kCaption, MessageIcon::Information);
}

} // namespace sigmora::edit
