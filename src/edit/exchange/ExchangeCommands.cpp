#include "edit/exchange/ExchangeCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/exchange/ExchangeImport.h"
#include "edit/files/FileCommands.h"
#include "edit/files/FileFormats.h"
#include "edit/exchange/ImportedDiagram.h"
#include "io/exchange/AsciiView.h"
#include "io/exchange/CsvFormat.h"
#include "io/base/FileAccess.h"
#include "io/exchange/XmlFormat.h"

namespace sigmora::edit {

namespace {

// These messages end in a line break: the path and the system's reason follow on the next line.
constexpr const char* kXmlExportFailed = "Problem opening the file: sigmora.xml\n";
constexpr const char* kXmlOpenFailed = "Problem opening the xml file\n";
constexpr const char* kCsvFailed = "Problem opening the csv file\n";
constexpr const char* kUnreadable = "This file cannot be read as waveforms";
constexpr const char* kTooLarge = "the file is far larger than any diagram";

// One exchange format as its commands use it.
struct ExchangeFormat {
    Format format;
    const char* exportFailed;
    const char* importFailed;
    std::string (*write)(const model::Diagram&);
    io::ExchangeReadResult (*read)(std::string_view, model::Diagram&);
};

const ExchangeFormat& xmlFormat()
{
    static const ExchangeFormat format{
        Format::Xml,
        kXmlExportFailed,
        kXmlOpenFailed,
        io::xmlDocument,
        io::readXmlDiagram};
    return format;
}

const ExchangeFormat& csvFormat()
{
    static const ExchangeFormat format{Format::Csv, kCsvFailed, kCsvFailed, io::csvDocument, io::readCsvDiagram};
    return format;
}

void exportWaveforms(Session& session, const ExchangeFormat& format)
{
    const auto path = session.ui().saveFileName(writeDialogOf(format.format));
    if (!path || path->empty())
        return;
    const io::WriteResult written = io::writeFileReplacing(*path, format.write(session.diagram()));
    if (written.error != io::WriteError::None)
        session.ui().showMessage(format.exportFailed + io::fileProblem(*path, written.systemError));
}

void exportXml(Session& session)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kAddSignalsFirst);
        return;
    }
    exportWaveforms(session, xmlFormat());
}

void showUnreadable(Session& session, const std::string& problem)
{
    session.ui().showMessage(std::string(kUnreadable) + " (" + problem + ").", "Sigmora", MessageIcon::Warning);
}

// True when a diagram was imported.
bool importWaveforms(Session& session, const ExchangeFormat& format)
{
    if (!askToSaveChanges(session))
        return false;
    const auto path = fileToRead(session, readDialogOf(format.format));
    if (!path)
        return false;
    const io::FileBytes file = io::readWholeFile(*path);
    if (file.error == io::ReadError::CannotOpen) {
        session.ui().showMessage(format.importFailed + io::fileProblem(*path, file.systemError));
        return false;
    }
    if (file.error == io::ReadError::TooLarge) {
        showUnreadable(session, kTooLarge);
        return false;
    }
    model::Diagram imported = diagramForImport(session);
    const io::ExchangeReadResult result = format.read(file.bytes, imported);
    if (!result.ok()) {
        showUnreadable(session, result.problem);
        return false;
    }
    takeImportedDiagram(session, std::move(imported));
    showLeftOut(session, result.notes);
    return true;
}

void showAsciiWaveforms(Session& session)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kAddSignalsFirst);
        return;
    }
    session.ui().showAsciiWaveforms(io::asciiRows(session.diagram()));
}

} // namespace

void registerExchangeCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::ExportXml, [&session] { exportXml(session); });
    r.add(cmd::ImportXml, [&session] { importWaveforms(session, xmlFormat()); });
    r.add(cmd::ExportCsv, [&session] { exportWaveforms(session, csvFormat()); });
    r.add(cmd::ImportCsv, [&session] {
        // Comma-separated text imported: the start hint is not shown again, and the drawing hint
        // not until New.
        if (importWaveforms(session, csvFormat())) {
            session.startHint = false;
            session.drawHintDiscarded = true;
        }
    });
    r.add(cmd::ShowAsciiWaveforms, [&session] { showAsciiWaveforms(session); });
}

} // namespace sigmora::edit
