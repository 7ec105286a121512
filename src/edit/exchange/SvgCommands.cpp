#include "edit/exchange/SvgCommands.h"

#include <algorithm>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "edit/files/FileCommands.h"
#include "edit/exchange/ImportedDiagram.h"
#include "io/base/FileAccess.h"
#include "io/exchange/SvgDocument.h"
#include "io/exchange/SvgReader.h"
#include "render/MeasuringSurface.h"

namespace sigmora::edit {

namespace {

constexpr const char* kSaveTitle = "Save SVG files";
constexpr const char* kOpenTitle = "Open SVG files";
constexpr const char* kDefaultExtension = "SVG";
constexpr const char* kErrorCreating = "Error creating SVG file";
constexpr const char* kInvalid = "Invalid WF SVG file";
constexpr const char* kNoData = "close file";
constexpr const char* kDamaged = "This SVG file holds damaged Sigmora data and cannot be read";
constexpr const char* kTooLarge = "the file is far larger than any diagram";
// The drawing is measured, not painted: the surface only has to be larger than any diagram.
constexpr render::Size kMeasuringArea{1 << 30, 1 << 30};

void exportSvg(Editor& editor)
{
    if (editor.diagram().store.signalCount() == 0) {
        editor.ui().showMessage(kAddSignalsFirst);
        return;
    }
    UiPort::FileDialog dialog{kSaveTitle, {{"SVG files *.svg", "*.svg"}, {"All Files *.*", "*.*"}}, kDefaultExtension, {}};
    const auto path = editor.ui().saveFileName(dialog);
    if (!path || path->empty())
        return;
    const io::WriteResult written = io::writeFileReplacing(*path, svgDocumentOfView(editor));
    if (written.error != io::WriteError::None)
        editor.ui().showMessage(std::string(kErrorCreating) + "\n" + io::fileProblem(*path, written.systemError));
    editor.refresh();
}

void showReadProblem(Editor& editor, const io::SvgReadResult& result)
{
    using Status = io::SvgReadResult::Status;
    switch (result.status) {
    case Status::Ok: break;
    case Status::NotSigmora: editor.ui().showMessage(kInvalid); break;
    case Status::NoData: editor.ui().showMessage(kNoData); break;
    case Status::Damaged:
        editor.ui().showMessage(std::string(kDamaged) + " (" + result.problem + ").", "Sigmora", MessageIcon::Warning);
        break;
    }
}

void importSvg(Editor& editor)
{
    if (!askToSaveChanges(editor))
        return;
    UiPort::FileDialog dialog{kOpenTitle, {{"Sigmora SVG files *.svg", "*.svg"}, {"All Files *.*", "*.*"}}, {}, {}};
    const auto path = fileToRead(editor, dialog);
    if (!path)
        return;
    const io::FileBytes file = io::readWholeFile(*path);
    if (file.error == io::ReadError::CannotOpen) {
        editor.ui().showMessage(std::string(kInvalid) + "\n" + io::fileProblem(*path, file.systemError));
        return;
    }
    if (file.error == io::ReadError::TooLarge) {
        showReadProblem(editor, {io::SvgReadResult::Status::Damaged, kTooLarge});
        return;
    }
    model::Diagram imported = diagramForImport(editor);
    const io::SvgReadResult result = io::readSvgDiagram(file.bytes, imported);
    if (result.status != io::SvgReadResult::Status::Ok) {
        showReadProblem(editor, result);
        return;
    }
    takeImportedDiagram(editor, std::move(imported));
}

void editSvgSettings(Editor& editor)
{
    model::DiagramSettings& s = editor.diagram().settings;
    const auto chosen = editor.ui().editSvgSettings({s.svgScale, s.activeLowBarFactor});
    if (!chosen)
        return;
    s.activeLowBarFactor = chosen->activeLowBarFactor;
    if (chosen->scale == s.svgScale)
        return;
    // The scale travels with the diagram file.
    s.svgScale = chosen->scale;
    editor.diagram().modified = true;
    editor.takeSnapshot();
}

} // namespace

std::string svgDocumentOfView(Editor& editor)
{
    render::MeasuringSurface surface(editor.measurer(), kMeasuringArea);
    model::ReaderReport report;
    return io::svgDocument(editor.diagram(), surface, editor.redrawOptions(), report);
}

void registerSvgCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::ExportSvg, [&editor] { exportSvg(editor); });
    r.add(cmd::ImportSvg, [&editor] { importSvg(editor); });
    r.add(cmd::SvgOutputSettings, [&editor] { editSvgSettings(editor); });
}

} // namespace sigmora::edit
