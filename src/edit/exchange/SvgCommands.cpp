#include "edit/exchange/SvgCommands.h"

#include "edit/exchange/ExchangeImport.h"

#include <algorithm>

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/files/FileCommands.h"
#include "edit/files/FileFormats.h"
#include "edit/exchange/ImportedDiagram.h"
#include "io/base/FileAccess.h"
#include "io/exchange/SvgDocument.h"
#include "io/exchange/SvgReader.h"
#include "render/MeasuringSurface.h"

namespace sigmora::edit {

namespace {

constexpr const char* kErrorCreating = "Error creating SVG file";
constexpr const char* kInvalid = "Invalid WF SVG file";
constexpr const char* kNoData = "close file";
constexpr const char* kDamaged = "This SVG file holds damaged Sigmora data and cannot be read";
constexpr const char* kTooLarge = "the file is far larger than any diagram";
// The drawing is measured, not painted: the surface only has to be larger than any diagram.
constexpr render::Size kMeasuringArea{1 << 30, 1 << 30};

void exportSvg(Session& session)
{
    if (session.diagram().store.signalCount() == 0) {
        session.ui().showMessage(kAddSignalsFirst);
        return;
    }
    const auto path = session.ui().saveFileName(writeDialogOf(Format::Svg));
    if (!path || path->empty())
        return;
    const io::WriteResult written = io::writeFileReplacing(*path, svgDocumentOfView(session));
    if (written.error != io::WriteError::None)
        session.ui().showMessage(std::string(kErrorCreating) + "\n" + io::fileProblem(*path, written.systemError));
    session.refresh();
}

void showReadProblem(Session& session, const io::SvgReadResult& result)
{
    using Status = io::SvgReadResult::Status;
    switch (result.status) {
    case Status::Ok: break;
    case Status::NotSigmora: session.ui().showMessage(kInvalid); break;
    case Status::NoData: session.ui().showMessage(kNoData); break;
    case Status::Damaged:
        session.ui().showMessage(std::string(kDamaged) + " (" + result.problem + ").", "Sigmora", MessageIcon::Warning);
        break;
    }
}

void importSvg(Session& session)
{
    if (!askToSaveChanges(session))
        return;
    const auto path = fileToRead(session, readDialogOf(Format::Svg));
    if (!path)
        return;
    const io::FileBytes file = io::readWholeFile(*path);
    if (file.error == io::ReadError::CannotOpen) {
        session.ui().showMessage(std::string(kInvalid) + "\n" + io::fileProblem(*path, file.systemError));
        return;
    }
    if (file.error == io::ReadError::TooLarge) {
        showReadProblem(session, {io::SvgReadResult::Status::Damaged, kTooLarge, {}});
        return;
    }
    model::Diagram imported = diagramForImport(session);
    const io::SvgReadResult result = io::readSvgDiagram(file.bytes, imported);
    if (result.status != io::SvgReadResult::Status::Ok) {
        showReadProblem(session, result);
        return;
    }
    takeImportedDiagram(session, std::move(imported));
    showLeftOut(session, result.notes);
}

void editSvgSettings(Session& session)
{
    model::DiagramSettings& s = session.diagram().settings;
    const auto chosen = session.ui().editSvgSettings({s.svgScale, s.activeLowBarFactor});
    if (!chosen)
        return;
    s.activeLowBarFactor = chosen->activeLowBarFactor;
    if (chosen->scale == s.svgScale)
        return;
    // The scale travels with the diagram file.
    s.svgScale = chosen->scale;
    session.diagram().modified = true;
    session.takeSnapshot();
}

} // namespace

std::string svgDocumentOfView(Session& session)
{
    render::MeasuringSurface surface(session.measurer(), kMeasuringArea);
    model::ReaderReport report;
    return io::svgDocument(session.diagram(), surface, session.redrawOptions(), report);
}

void registerSvgCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::ExportSvg, [&session] { exportSvg(session); });
    r.add(cmd::ImportSvg, [&session] { importSvg(session); });
    r.add(cmd::SvgOutputSettings, [&session] { editSvgSettings(session); });
}

} // namespace sigmora::edit
