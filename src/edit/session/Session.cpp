#include "edit/session/Session.h"

#include "io/native/NativeFileWriter.h"

namespace sigmora::edit {

namespace {
constexpr const char* kAreYouSure = "Are you sure?";
constexpr const char* kAbortArrow = "You are in the middle of drawing an arrow.  Do you want to abort the Arrow Tool?";
constexpr const char* kAbortLabel = "You are in the middle of drawing an arrow.  Do you want to abort the Label Tool?";
constexpr const char* kRowLimit = "A diagram holds at most 256 rows; no row was added.";
} // namespace

void Session::selectRow(int row)
{
    state_.selectedRow = row;
    diagram_.store.signals().setSelection(row);
}

void Session::deselectRow()
{
    state_.selectedRow = -1;
    diagram_.store.signals().setSelection(-1);
}

void Session::updateCursor()
{
    const CursorRole role = cursorRole(state_);
    if (role == cursor_)
        return;
    cursor_ = role;
    if (onCursorChanged)
        onCursorChanged(role);
}

bool Session::abortPendingTools()
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

bool Session::roomForRow()
{
    if (diagram_.store.signalCount() < model::kMaxRows)
        return true;
    ui_.showMessage(kRowLimit, "Sigmora", MessageIcon::Warning);
    return false;
}

void Session::resetDiagram()
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

void Session::scrollHorizontal(ScrollAction action, int thumb)
{
    scrollTo(diagram_.settings.firstVisibleCell, action, thumb);
}

void Session::scrollVertical(ScrollAction action, int thumb)
{
    scrollTo(diagram_.settings.verticalScroll, action, thumb);
}

void Session::scrollTo(int& position, ScrollAction action, int thumb)
{
    const int next = scrolledPosition(position, action, thumb);
    if (next == position)
        return;
    position = next;
    if (onScrollChanged)
        onScrollChanged();
    refresh();
}

std::string Session::title() const
{
    if (filePath_.empty())
        return std::string("Untitled - ") + kTitleAndVersion;
    return filePath_ + " - " + kTitleAndVersion;
}

void Session::setFilePath(std::string path)
{
    filePath_ = std::move(path);
    updateTitle();
}

void Session::updateTitle()
{
    if (onTitleChanged)
        onTitleChanged(title());
}

void Session::showReaderMessages(const model::ReaderReport& report)
{
    for (const std::string& message : report.messages()) {
        if (shownReaderMessages_.insert(message).second)
            ui_.showMessage(message);
    }
}

void Session::refresh()
{
    if (refreshHeld_ > 0) {
        refreshPending_ = true;
        return;
    }
    if (onRefresh)
        onRefresh();
}

Session::RefreshBatch::~RefreshBatch()
{
    if (--session_.refreshHeld_ == 0 && session_.refreshPending_) {
        session_.refreshPending_ = false;
        session_.refresh();
    }
}

void Session::changed(bool snapshot)
{
    diagram_.modified = true;
    refresh();
    if (snapshot)
        takeSnapshot();
}

void Session::takeSnapshot()
{
    pendingRun_ = StepRun::None;
    io::writeNativeFile(diagram_, stepBytes_);
    // A command that changed nothing adds no state that Undo would step through in vain.
    if (undoRing_.depth() > 0 && stepBytes_ == historyBytes_)
        return;
    undoRing_.push(stepBytes_);
    noteHistory();
    if (onSnapshot)
        onSnapshot();
}

void Session::startHistory()
{
    undoRing_.reset();
    takeSnapshot();
}

void Session::noteHistory()
{
    io::writeNativeFile(diagram_, historyBytes_);
    historyMovedInStep_ = true;
}

bool Session::execute(int command)
{
    if (!commands_.handles(command))
        return false;
    Step step(*this);
    return commands_.execute(command);
}

void Session::settleRun()
{
    if (pendingRun_ != StepRun::None)
        takeSnapshot();
}

Session::Step::Step(Session& session, StepRun run, StepKind kind) : session_(session)
{
    session_.beginStep(run, kind);
}

Session::Step::~Step()
{
    session_.endStep();
}

void Session::beginStep(StepRun run, StepKind kind)
{
    if (stepDepth_++ > 0)
        return;
    if (gestureOpen_) {
        gestureOpen_ = false;
        if (kind == StepKind::GestureEnd)
            return; // the release goes on with the step its press began
        finishStep(); // a release that was never seen: the gesture ends here
    }
    if (pendingRun_ != StepRun::None && pendingRun_ != run)
        settleRun();
    stepRun_ = run;
    stepModifiedBefore_ = diagram_.modified;
    historyMovedInStep_ = false;
    gestureOpen_ = kind == StepKind::GestureStart;
}

void Session::endStep()
{
    if (--stepDepth_ > 0 || gestureOpen_)
        return;
    finishStep();
}

void Session::finishStep()
{
    // A half-made arrow or label is no state of its own: its tool takes the snapshot when it is
    // finished, and an abandoned one leaves the diagram as it was.
    if (state_.arrowInProgress() || state_.labelInProgress())
        return;
    io::writeNativeFile(diagram_, stepBytes_);
    if (stepBytes_ == historyBytes_) {
        // A step that changed nothing leaves an unmodified diagram unmodified (a press marks it
        // modified before anyone knows whether the click will change anything).
        if (!historyMovedInStep_ && pendingRun_ == StepRun::None && !stepModifiedBefore_)
            diagram_.modified = false;
        return;
    }
    diagram_.modified = true;
    if (stepRun_ != StepRun::None)
        pendingRun_ = stepRun_;
    else
        takeSnapshot();
}

} // namespace sigmora::edit
