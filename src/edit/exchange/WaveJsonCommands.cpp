#include "edit/exchange/WaveJsonCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/exchange/ExchangeImport.h"
#include "edit/files/FileCommands.h"
#include "io/base/FileAccess.h"
#include "io/exchange/ImportFiles.h"
#include "io/exchange/WaveJsonWriter.h"

namespace sigmora::edit {

namespace {

constexpr const char* kNoRows = "Please add signals to the waveforms first";
constexpr const char* kExportTitle = "Export WaveJSON files";
constexpr const char* kImportTitle = "Open WaveJSON files";
constexpr const char* kExtension = "json";
constexpr const char* kCannotWrite = "Problem writing the WaveJSON file";

UiPort::FileDialog waveJsonDialog(const char* title)
{
    UiPort::FileDialog dialog;
    dialog.title = title;
    dialog.filters = {{"WaveJSON files *.json", "*.json"}, {"All Files *.*", "*.*"}};
    dialog.defaultExtension = kExtension;
    return dialog;
}

void exportWaveJson(Editor& editor)
{
    if (editor.diagram().store.signalCount() == 0) {
        editor.ui().showMessage(kNoRows);
        return;
    }
    const auto path = editor.ui().saveFileName(waveJsonDialog(kExportTitle));
    if (!path || path->empty())
        return;
    const io::WriteResult written = io::writeFileReplacing(*path, io::waveJsonText(editor.diagram()));
    if (written.error != io::WriteError::None)
        editor.ui().showMessage(std::string(kCannotWrite) + ": " + *path + "\n" +
                                    io::fileProblem(*path, written.systemError),
                                "Sigmora", MessageIcon::Warning);
}

void importWaveJson(Editor& editor)
{
    if (!askToSaveChanges(editor))
        return;
    const auto path = fileToRead(editor, waveJsonDialog(kImportTitle));
    if (!path)
        return;
    runExchangeImport(editor, [&](model::Diagram& fresh) {
        return io::importWaveJsonFile(*path, fresh, editor.measurer());
    });
}

} // namespace

void registerWaveJsonCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::ExportWaveJson, [&editor] { exportWaveJson(editor); });
    r.add(cmd::ImportWaveJson, [&editor] { importWaveJson(editor); });
}

} // namespace sigmora::edit
