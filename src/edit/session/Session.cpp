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
    undoRing_.push([this](std::string& out) { io::writeNativeFile(diagram_, out); });
    if (onSnapshot)
        onSnapshot();
}

void Session::startHistory()
{
    undoRing_.reset();
    takeSnapshot();
}

} // namespace sigmora::edit
