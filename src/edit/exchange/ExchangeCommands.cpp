#include "edit/exchange/ExchangeCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/exchange/ExchangeImport.h"
#include "edit/files/FileCommands.h"
#include "edit/exchange/ImportedDiagram.h"
#include "io/exchange/AsciiView.h"
#include "io/exchange/CsvFormat.h"
#include "io/base/FileAccess.h"
#include "io/exchange/XmlFormat.h"

namespace sigmora::edit {

namespace {

constexpr const char* kXmlExportTitle = "Export XML files";
constexpr const char* kXmlOpenTitle = "Open XML files";
// These messages end in a line break: the path and the system's reason follow on the next line.
constexpr const char* kXmlExportFailed = "Problem opening the file: sigmora.xml\n";
constexpr const char* kXmlOpenFailed = "Problem opening the xml file\n";
constexpr const char* kCsvTitle = "Open CSV files";
constexpr const char* kCsvFailed = "Problem opening the csv file\n";
constexpr const char* kUnreadable = "This file cannot be read as waveforms";
constexpr const char* kTooLarge = "the file is far larger than any diagram";

// One exchange format as its commands use it.
struct ExchangeFormat {
    UiPort::FileDialog exportDialog;
    UiPort::FileDialog importDialog;
    const char* exportFailed;
    const char* importFailed;
    std::string (*write)(const model::Diagram&);
    io::ExchangeReadResult (*read)(std::string_view, model::Diagram&);
};

const ExchangeFormat& xmlFormat()
{
    static const ExchangeFormat format{
        {kXmlExportTitle, {{"XML files *.xml", "*.xml"}, {"All Files *.*", "*.*"}}, "xml", {}},
        {kXmlOpenTitle, {{"Sigmora XML files *.xml", "*.xml"}, {"All Files *.*", "*.*"}}, "XML", {}},
        kXmlExportFailed,
        kXmlOpenFailed,
        io::xmlDocument,
        io::readXmlDiagram};
    return format;
}

const ExchangeFormat& csvFormat()
{
    static const UiPort::FileDialog dialog{
        kCsvTitle, {{"Text (comma delimited files) *.csv", "*.csv"}, {"All Files *.*", "*.*"}}, {}, {}};
    static const ExchangeFormat format{dialog, dialog, kCsvFailed, kCsvFailed, io::csvDocument, io::readCsvDiagram};
    return format;
}

void exportWaveforms(Editor& editor, const ExchangeFormat& format)
{
    const auto path = editor.ui().saveFileName(format.exportDialog);
    if (!path || path->empty())
        return;
    const io::WriteResult written = io::writeFileReplacing(*path, format.write(editor.diagram()));
    if (written.error != io::WriteError::None)
        editor.ui().showMessage(format.exportFailed + io::fileProblem(*path, written.systemError));
}

void exportXml(Editor& editor)
{
    if (editor.diagram().store.signalCount() == 0) {
        editor.ui().showMessage(kAddSignalsFirst);
        return;
    }
    exportWaveforms(editor, xmlFormat());
}

void showUnreadable(Editor& editor, const std::string& problem)
{
    editor.ui().showMessage(std::string(kUnreadable) + " (" + problem + ").", "Sigmora", MessageIcon::Warning);
}

// True when a diagram was imported.
bool importWaveforms(Editor& editor, const ExchangeFormat& format)
{
    if (!askToSaveChanges(editor))
        return false;
    const auto path = fileToRead(editor, format.importDialog);
    if (!path)
        return false;
    const io::FileBytes file = io::readWholeFile(*path);
    if (file.error == io::ReadError::CannotOpen) {
        editor.ui().showMessage(format.importFailed + io::fileProblem(*path, file.systemError));
        return false;
    }
    if (file.error == io::ReadError::TooLarge) {
        showUnreadable(editor, kTooLarge);
        return false;
    }
    model::Diagram imported = diagramForImport(editor);
    const io::ExchangeReadResult result = format.read(file.bytes, imported);
    if (!result.ok()) {
        showUnreadable(editor, result.problem);
        return false;
    }
    takeImportedDiagram(editor, std::move(imported));
    showLeftOut(editor, result.notes);
    return true;
}

void showAsciiWaveforms(Editor& editor)
{
    if (editor.diagram().store.signalCount() == 0) {
        editor.ui().showMessage(kAddSignalsFirst);
        return;
    }
    editor.ui().showAsciiWaveforms(io::asciiRows(editor.diagram()));
}

} // namespace

void registerExchangeCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::ExportXml, [&editor] { exportXml(editor); });
    r.add(cmd::ImportXml, [&editor] { importWaveforms(editor, xmlFormat()); });
    r.add(cmd::ExportCsv, [&editor] { exportWaveforms(editor, csvFormat()); });
    r.add(cmd::ImportCsv, [&editor] {
        // Comma-separated text imported: the start hint is not shown again, and the drawing hint
        // not until New.
        if (importWaveforms(editor, csvFormat())) {
            editor.startHint = false;
            editor.drawHintDiscarded = true;
        }
    });
    r.add(cmd::ShowAsciiWaveforms, [&editor] { showAsciiWaveforms(editor); });
}

} // namespace sigmora::edit
