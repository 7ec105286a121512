#include "edit/Editor.h"

#include "edit/annotations/ArrowTool.h"
#include "edit/cells/CellCommands.h"
#include "edit/cells/ClipboardCommands.h"
#include "edit/session/CommandIds.h"
#include "edit/cells/DerivedSignal.h"
#include "edit/rows/DiagramCommands.h"
#include "edit/grid/DrawnAnnotations.h"
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
#include "edit/exchange/SvgCommands.h"
#include "edit/mouse/TransitionEdge.h"
#include "edit/session/UndoCommands.h"
#include "edit/exchange/VcdImportCommand.h"
#include "edit/rows/ViewCommands.h"
#include "edit/exchange/WaveJsonCommands.h"
#include "io/native/NativeFileWriter.h"
#include "model/NameColumnFitter.h"
#include "render/FullRedraw.h"

namespace sigmora::edit {

namespace {
constexpr const char* kAreYouSure = "Are you sure?";
constexpr const char* kAbortArrow = "You are in the middle of drawing an arrow.  Do you want to abort the Arrow Tool?";
constexpr const char* kAbortLabel = "You are in the middle of drawing an arrow.  Do you want to abort the Label Tool?";
constexpr const char* kSavePreviousChanges = "Do you want to save your previous changes?";
constexpr const char* kRowLimit = "A diagram holds at most 256 rows; no row was added.";
} // namespace

Editor::Editor(UiPort& ui, const model::TextMeasurer& measurer)
    : ui_(ui), measurer_(measurer), mouse_(std::make_unique<MousePipeline>(*this))
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
    registerVcdImportCommand(*this);
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
}

void Editor::selectRow(int row)
{
    state_.selectedRow = row;
    diagram_.store.signals().setSelection(row);
}

void Editor::deselectRow()
{
    state_.selectedRow = -1;
    diagram_.store.signals().setSelection(-1);
}

void Editor::updateCursor()
{
    const CursorRole role = cursorRole(state_);
    if (role == cursor_)
        return;
    cursor_ = role;
    if (onCursorChanged)
        onCursorChanged(role);
}

bool Editor::abortPendingTools()
{
    if (state_.arrowInProgress()) {
        if (!ui_.askYesNo(kAbortArrow, kAreYouSure))
            return false;
        model::RecordList& arrows = diagram_.store.list(model::ListId::Arrows);
        arrows.remove(arrows.selection());
        state_.arrowStep = kStepIdle;
        refresh();
    }
    if (state_.labelInProgress()) {
        if (!ui_.askYesNo(kAbortLabel, kAreYouSure))
            return false;
        model::RecordList& labels = diagram_.store.list(model::ListId::Labels);
        labels.remove(labels.selection());
        state_.labelStep = kStepIdle;
        refresh();
    }
    return true;
}

bool Editor::roomForRow()
{
    if (diagram_.store.signalCount() < model::kMaxRows)
        return true;
    ui_.showMessage(kRowLimit, "Sigmora", MessageIcon::Warning);
    return false;
}

void Editor::resetDiagram()
{
    diagram_.resetForNew();
    state_.reset();
    clipboard.resetFlags();
    drawHint = false;
    redrawMemory_ = {};
    shownReaderMessages_.clear();
    undoRing_.reset();
    if (onScrollChanged)
        onScrollChanged();
}

void Editor::newDiagram()
{
    if (!askToSaveChanges(*this, kSavePreviousChanges))
        return;
    resetDiagram();
    drawHintDiscarded = false;
    filePath_.clear();
    updateTitle();
    refresh();
    startHistory();
}

std::string Editor::addRow(model::NewRowKind kind)
{
    if (!abortPendingTools())
        return kNoRowAdded;
    if (!roomForRow())
        return kNoRowAdded;
    model::RecordList& rows = diagram_.store.signals();
    diagram_.modified = true;
    const std::string name = model::chooseRowName(rows, kind);
    const int index = rows.append(model::buildRowRecord(kind, name, diagram_.settings.newSignalLevel));
    rows.setSelection(index);
    startHint = false;
    drawHint = !drawHintDiscarded;
    state_.selectedRow = index;
    state_.selectedCell = 100;
    state_.currentTool = Tool::Draw;
    state_.textPlacement = 0;
    state_.alternateTextCursor = 0;
    diagram_.store.floodStyles().clearRow(index);
    diagram_.store.edgeOffsets().clearRow(index);
    model::fitNameColumn(diagram_, measurer_);
    refresh();
    takeSnapshot();
    return name;
}

void Editor::openNamedFile(const std::string& path)
{
    commandLineFile = path;
    execute(cmd::FileOpen);
}

void Editor::scrollHorizontal(ScrollAction action, int thumb)
{
    scrollTo(diagram_.settings.firstVisibleCell, action, thumb);
}

void Editor::scrollVertical(ScrollAction action, int thumb)
{
    scrollTo(diagram_.settings.verticalScroll, action, thumb);
}

void Editor::scrollTo(int& position, ScrollAction action, int thumb)
{
    const int next = scrolledPosition(position, action, thumb);
    if (next == position)
        return;
    position = next;
    if (onScrollChanged)
        onScrollChanged();
    refresh();
}

std::string Editor::title() const
{
    if (filePath_.empty())
        return std::string("Untitled - ") + kTitleAndVersion;
    return filePath_ + " - " + kTitleAndVersion;
}

void Editor::setFilePath(std::string path)
{
    filePath_ = std::move(path);
    updateTitle();
}

void Editor::updateTitle()
{
    if (onTitleChanged)
        onTitleChanged(title());
}

render::RedrawOptions Editor::redrawOptions() const
{
    render::RedrawOptions options;
    options.selection.row = state_.selectedRow;
    options.selection.cell = state_.selectedCell;
    options.selection.textBoxSelected = state_.selectionKind == SelectionKind::TextBox;
    options.movePreview = movePreview;
    if (state_.rectangle.active) {
        const CellRectangle& r = state_.rectangle;
        const render::Layout l = render::Layout::from(diagram_.settings);
        options.selection.block = render::SelectionView::Block{r.firstCell() + l.firstVisibleCell,
                                                              r.lastCell() + l.firstVisibleCell + 1,
                                                              r.firstRow() + l.firstVisibleSignal(),
                                                              r.lastRow() + l.firstVisibleSignal()};
    }
    if (clipboard.cellsInBuffer && !clipboard.cutOrigin) {
        const render::Layout l = render::Layout::from(diagram_.settings);
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
    return options;
}

render::AnnotationSelection Editor::annotationSelection() const
{
    const model::ObjectStore& store = diagram_.store;
    render::AnnotationSelection a;
    a.editTool = state_.currentTool == Tool::Select;
    a.arrow = state_.selectionKind == SelectionKind::Arrow ? store.list(model::ListId::Arrows).selection() : -1;
    a.label = state_.selectionKind == SelectionKind::Label ? store.list(model::ListId::Labels).selection() : -1;
    // With the time-break tool the current break is the one Tab steps to and Delete removes.
    const bool breakSelected = state_.selectionKind == SelectionKind::TimeBreak || state_.is(Tool::TimeBreak);
    a.timeBreak = breakSelected ? store.list(model::ListId::TimeBreaks).selection() : -1;
    a.textBoxes = state_.selectionKind == SelectionKind::TextBox;
    a.textSelected = state_.textSelected;
    if (state_.arrowInProgress() || state_.labelStep == kStepFirstPointPlaced || state_.drag.kind == Drag::ArrowMove)
        a.rubberBand = rubberBand;
    if (state_.labelStep == kStepMiddleHandle)
        a.labelDragY = labelDragY;
    return a;
}

int Editor::redraw(render::Surface& surface, bool cull)
{
    render::RedrawOptions options = redrawOptions();
    options.cullOffSurface = cull;
    model::ReaderReport report;
    const int result = render::fullRedraw(surface, diagram_, options, redrawMemory_, report);
    if (result == render::kEmptyDiagram) {
        state_.selectedRow = -1;
        state_.selectedCell = -1;
    }
    if (derivedRowMissing_) {
        derivedRowMissing_ = false;
        report.add(kProblemFindingSignal);
    }
    showReaderMessages(report);
    return result;
}

void Editor::showReaderMessages(const model::ReaderReport& report)
{
    for (const std::string& message : report.messages()) {
        if (shownReaderMessages_.insert(message).second)
            ui_.showMessage(message);
    }
}

std::optional<std::pair<std::string, int>> Editor::derivedPreview(int signalIndex) const
{
    DerivedResult result = evaluateDerivedRow(diagram_, signalIndex);
    derivedRowMissing_ = derivedRowMissing_ || result.missingRow;
    if (!result.value)
        return std::nullopt;
    return std::make_pair(std::move(result.value->waveform), result.value->delay);
}

void Editor::refresh()
{
    if (refreshHeld_ > 0) {
        refreshPending_ = true;
        return;
    }
    if (onRefresh)
        onRefresh();
}

Editor::RefreshBatch::~RefreshBatch()
{
    if (--editor_.refreshHeld_ == 0 && editor_.refreshPending_) {
        editor_.refreshPending_ = false;
        editor_.refresh();
    }
}

void Editor::takeSnapshot()
{
    undoRing_.push([this](std::string& out) { io::writeNativeFile(diagram_, out); });
    if (onSnapshot)
        onSnapshot();
}

void Editor::startHistory()
{
    undoRing_.reset();
    takeSnapshot();
}

} // namespace sigmora::edit
