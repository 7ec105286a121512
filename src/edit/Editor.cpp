#include "edit/Editor.h"

#include "edit/annotations/ArrowTool.h"
#include "edit/cells/CellCommands.h"
#include "edit/cells/ClipboardCommands.h"
#include "edit/timing/TimeCommands.h"
#include "edit/session/CommandIds.h"
#include "edit/cells/DerivedSignal.h"
#include "edit/rows/DiagramCommands.h"
#include "edit/grid/DrawnAnnotations.h"
#include "edit/exchange/DumpRefreshCommand.h"
#include "edit/exchange/ExchangeCommands.h"
#include "edit/files/FileCommands.h"
#include "edit/mouse/SelectionCommands.h"
#include "edit/annotations/LabelTool.h"
#include "edit/rows/SeparatorCommands.h"
#include "edit/annotations/TextCommands.h"
#include "edit/rows/TimingCommands.h"
#include "edit/mouse/ToolCommands.h"
#include "edit/rows/SettingDialogCommands.h"
#include "edit/rows/SignalAttributeCommands.h"
#include "edit/exchange/StimulusExports.h"
#include "edit/exchange/SvgCommands.h"
#include "edit/mouse/TransitionEdge.h"
#include "edit/session/UndoCommands.h"
#include "edit/exchange/VcdImportCommand.h"
#include "edit/rows/ViewCommands.h"
#include "edit/exchange/WaveJsonCommands.h"
#include "render/FullRedraw.h"

namespace sigmora::edit {

namespace {
constexpr std::string_view kTimingMet = "Timing met: every bound parameter lies within its limits";
} // namespace


Editor::Editor(UiPort& ui, const model::TextMeasurer& measurer)
    : Session(ui, measurer), mouse_(std::make_unique<MousePipeline>(*this))
{
    registerCommands();
    // The empty start diagram is the first state Undo can return to.
    startHistory();
}

void Editor::registerCommands()
{
    registerDiagramCommands(*this);
    registerViewCommands(*this);
    registerFileCommands(*this);
    registerUndoCommands(*this);
    registerToolCommands(*this);
    registerCellCommands(*this);
    registerWaveJsonCommands(*this);
    registerStimulusExports(*this);
    registerVcdImportCommand(*this);
    registerDumpRefreshCommand(*this);
    registerSignalAttributeCommands(*this);
    registerSettingDialogCommands(*this);
    registerSelectionCommands(*this);
    registerSvgCommands(*this);
    registerExchangeCommands(*this);
    registerTimingCommands(*this);
    registerSeparatorCommands(*this);
    registerTextCommands(*this);
    registerTransitionEdgeTool(*this);
    registerArrowTool(*this);
    registerLabelTool(*this);
    registerTimeBreakTool(*this);
    registerDrawnAnnotations(*this);
    registerClipboardCommands(*this);
    registerTimeCommands(*this);
}

void Editor::newDiagram()
{
    edit::newDiagram(*this);
}

std::string Editor::addRow(model::NewRowKind kind)
{
    return edit::addRow(*this, kind);
}

void Editor::openNamedFile(const std::string& path)
{
    commandLineFile = path;
    execute(cmd::FileOpen);
}

render::RedrawOptions Editor::redrawOptions() const
{
    render::RedrawOptions options;
    options.selection.row = state().selectedRow;
    options.selection.cell = state().selectedCell;
    options.selection.textBoxSelected = state().selectionKind == SelectionKind::TextBox;
    options.movePreview = movePreview;
    if (state().rectangle.active) {
        const CellRectangle& r = state().rectangle;
        const render::Layout l = render::Layout::from(diagram().settings);
        options.selection.block = render::SelectionView::Block{r.firstCell() + l.firstVisibleCell,
                                                              r.lastCell() + l.firstVisibleCell + 1,
                                                              r.firstRow() + l.firstVisibleSignal(),
                                                              r.lastRow() + l.firstVisibleSignal()};
    }
    if (clipboard.cellsInBuffer && !clipboard.cutOrigin) {
        const render::Layout l = render::Layout::from(diagram().settings);
        const int last = clipboard.endRow - 1;
        options.selection.clipboardMark =
            render::Rect{l.waveOriginX() + (clipboard.firstColumn - l.firstVisibleCell) * l.cellWidth,
                         l.signalTop(clipboard.firstRow) - l.signalHeight / 2,
                         l.waveOriginX() + (clipboard.lastColumn + 1 - l.firstVisibleCell) * l.cellWidth,
                         l.signalTop(last) + l.signalHeight + l.signalHeight / 2};
    }
    if (options.movePreview && !options.movePreview->derived)
        options.movePreview->derived = [this](int signalIndex) { return derivedPreview(signalIndex); };
    options.annotations = annotationSelection();
    options.drawHint = drawHint;
    options.showViolations = true;
    return options;
}

render::AnnotationSelection Editor::annotationSelection() const
{
    const model::ObjectStore& store = diagram().store;
    render::AnnotationSelection a;
    a.editTool = state().currentTool == Tool::Select;
    a.arrow = state().selectionKind == SelectionKind::Arrow ? store.list(model::ListId::Arrows).selection() : -1;
    a.label = state().selectionKind == SelectionKind::Label ? store.list(model::ListId::Labels).selection() : -1;
    // With the time-break tool the current break is the one Tab steps to and Delete removes.
    const bool breakSelected = state().selectionKind == SelectionKind::TimeBreak || state().is(Tool::TimeBreak);
    a.timeBreak = breakSelected ? store.list(model::ListId::TimeBreaks).selection() : -1;
    a.textBoxes = state().selectionKind == SelectionKind::TextBox;
    a.textSelected = state().textSelected;
    if (state().arrowInProgress() || state().labelStep == kStepFirstPointPlaced || state().drag.kind == Drag::ArrowMove)
        a.rubberBand = rubberBand;
    if (state().labelStep == kStepMiddleHandle)
        a.labelDragY = labelDragY;
    return a;
}

int Editor::redraw(render::Surface& surface, bool cull)
{
    render::RedrawOptions options = redrawOptions();
    options.cullOffSurface = cull;
    model::ReaderReport report;
    const int result = render::fullRedraw(surface, diagram(), options, redrawMemory_, report);
    if (result == render::kEmptyDiagram) {
        state().selectedRow = -1;
        state().selectedCell = -1;
    }
    if (derivedRowMissing_) {
        derivedRowMissing_ = false;
        report.add(kProblemFindingSignal);
    }
    showReaderMessages(report);
    if (redrawMemory_.timingStatus != timingStatusShown_) {
        timingStatusShown_ = redrawMemory_.timingStatus;
        showStatus(timingStatusShown_.empty() ? std::string(kTimingMet) : timingStatusShown_);
    }
    return result;
}

std::optional<std::pair<std::string, int>> Editor::derivedPreview(int signalIndex) const
{
    DerivedResult result = evaluateDerivedRow(diagram(), signalIndex);
    derivedRowMissing_ = derivedRowMissing_ || result.missingRow;
    if (!result.value)
        return std::nullopt;
    return std::make_pair(std::move(result.value->waveform), result.value->delay);
}

} // namespace sigmora::edit
