#include "edit/exchange/VcdImportCommand.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/exchange/ExchangeImport.h"
#include "edit/files/FileCommands.h"
#include "io/exchange/ImportFiles.h"

namespace sigmora::edit {

namespace {

constexpr const char* kTitle = "Open Value Change Dump files";
constexpr const char* kExtension = "vcd";

void importVcd(Editor& editor)
{
    if (!askToSaveChanges(editor))
        return;
    UiPort::FileDialog dialog;
    dialog.title = kTitle;
    dialog.filters = {{"Value Change Dump files *.vcd", "*.vcd"}, {"All Files *.*", "*.*"}};
    dialog.defaultExtension = kExtension;
    const auto path = fileToRead(editor, dialog);
    if (!path)
        return;
    const io::VcdSurvey survey = io::surveyVcdFile(*path);
    if (!survey.ok) {
        editor.ui().showMessage(survey.error, "Sigmora", MessageIcon::Warning);
        return;
    }
    io::VcdChoice proposed;
    proposed.clock = io::defaultVcdClock(survey);
    const auto choice = editor.ui().chooseVcdImport(survey, proposed);
    if (!choice)
        return;
    runExchangeImport(editor, [&](model::Diagram& fresh) {
        return io::importVcdFile(*path, *choice, fresh, editor.measurer());
    });
}

} // namespace

void registerVcdImportCommand(Editor& editor)
{
    editor.commands().add(cmd::ImportVcd, [&editor] { importVcd(editor); });
}

} // namespace sigmora::edit
