#include "edit/rows/TimingCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/rows/EdgeOffsets.h"
#include "edit/Editor.h"
#include "edit/annotations/TextRelayout.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {

constexpr int kCellsPerClockEdge = 2;
constexpr int kMinCellCount = 4;
constexpr int kMinCellWidth = 2;
constexpr int kFullSlantWidth = 10;
constexpr int kDelayMargin = 10;
constexpr int kMaxSignalHeightToGrow = 50;
constexpr int kMinSignalHeight = 8;
constexpr const char* kHighlightFirst = "Please highlight a signal first";

bool hasSignals(const Editor& editor)
{
    return editor.diagram().store.signalCount() > 0;
}

void changed(Editor& editor, bool snapshot)
{
    editor.diagram().modified = true;
    editor.refresh();
    if (snapshot)
        editor.takeSnapshot();
}

// ---- clock edges ----

void addClockEdge(Editor& editor, int direction)
{
    if (!editor.abortPendingTools() || !hasSignals(editor))
        return;
    model::DiagramSettings& s = editor.diagram().settings;
    const int cells = s.cellCount + direction * kCellsPerClockEdge;
    // The floor of four cells, and the 600 cells a row can hold.
    if (cells < kMinCellCount || cells > model::kMaxCells)
        return;
    s.cellCount = cells;
    s.waveformWidth += direction * kCellsPerClockEdge * s.cellWidth;
    changed(editor, false);
}

// ---- zoom ----

// Delays stay within 0 ... cellWidth − 10 as the cell width changes.
void adjustDelays(model::Diagram& diagram, int step)
{
    model::RecordList& rows = diagram.store.signals();
    const int ceiling = diagram.settings.cellWidth - kDelayMargin;
    for (int i = 0; i < rows.count(); ++i) {
        const std::string& record = rows.get(i);
        const int delay = model::signal::delay(record);
        if (model::rowKind(record) == model::kRowKindSeparator || delay == 0)
            continue;
        int next = delay + step;
        if (next > ceiling)
            next = ceiling;
        if (next < 0)
            next = 0;
        rows.replace(i, model::signal::withDataField(record, model::signalfield::Delay, next));
    }
}

void zoom(Editor& editor, bool in)
{
    if (!editor.abortPendingTools() || !hasSignals(editor))
        return;
    model::DiagramSettings& s = editor.diagram().settings;
    if (!in && s.cellWidth <= kMinCellWidth)
        return;
    const render::Layout before = render::Layout::from(s);
    const int step = in ? 1 : -1;
    s.cellWidth += step;
    if (in && s.cellWidth > 9)
        s.slantWidth = kFullSlantWidth;
    if (!in)
        s.slantWidth = s.cellWidth < kFullSlantWidth ? s.cellWidth : kFullSlantWidth;
    relayoutTextBoxes(editor.diagram(), before, render::Layout::from(s));
    adjustDelays(editor.diagram(), step);
    InteractionState& st = editor.state();
    model::RecordList& rows = editor.diagram().store.signals();
    if (st.selectedRow < 0) {
        st.selectedRow = in ? 0 : -1;
        rows.setSelection(st.selectedRow);
    }
    changed(editor, true);
}

// ---- signal height ----

void changeSignalHeight(Editor& editor, bool grow)
{
    if (!editor.abortPendingTools())
        return;
    model::DiagramSettings& s = editor.diagram().settings;
    const int next = grow ? s.signalHeight + 1 : s.signalHeight - 1;
    if ((grow && s.signalHeight > kMaxSignalHeightToGrow) || (!grow && next < kMinSignalHeight))
        return;
    const render::Layout before = render::Layout::from(s);
    s.signalHeight = next;
    relayoutTextBoxes(editor.diagram(), before, render::Layout::from(s));
    changed(editor, grow);
}

// ---- signal delay ----

void shiftRow(model::Diagram& diagram, int row, bool later)
{
    const std::string& record = diagram.store.signals().get(row);
    if (model::rowKind(record) == model::kRowKindSeparator)
        return;
    const model::DiagramSettings& s = diagram.settings;
    const int limit = delayLimit(s.cellWidth, edgeRun(record, s.slantWidth));
    shiftEdges(diagram.store.edgeOffsets(), row, 0, kLastMovableEdge, limit, later);
}

// A clock's shift carried to the rows under it, down to the next clock.
void shiftRowsUnderClock(model::Diagram& diagram, int clockRow, bool later)
{
    const model::RecordList& rows = diagram.store.signals();
    for (int r = clockRow + 1; r < rows.count(); ++r) {
        if (model::isClockData(model::fields::dataOfRow(rows.get(r))))
            break;
        shiftRow(diagram, r, later);
    }
}

void shiftSelectedRow(Editor& editor, bool later)
{
    model::Diagram& diagram = editor.diagram();
    const int row = editor.state().selectedRow;
    if (row < 0 || row >= diagram.store.signalCount()) {
        editor.ui().showMessage(kHighlightFirst);
        return;
    }
    shiftRow(diagram, row, later);
    if (diagram.settings.eachClockOwnPeriod == 1 &&
        model::isClockData(model::fields::dataOfRow(diagram.store.signals().get(row))))
        shiftRowsUnderClock(diagram, row, later);
    changed(editor, true);
}

// Every column of the cell rectangle on each of its rows, from the top down to the first separator.
void shiftRectangle(Editor& editor, bool later)
{
    model::Diagram& diagram = editor.diagram();
    const CellRectangle& r = editor.state().rectangle;
    const model::DiagramSettings& s = diagram.settings;
    const int firstSignal = s.verticalScroll / 2;
    for (int row = r.firstRow() + firstSignal; row <= r.lastRow() + firstSignal && row < diagram.store.signalCount(); ++row) {
        const std::string& record = diagram.store.signals().get(row);
        if (model::rowKind(record) == model::kRowKindSeparator)
            break;
        const int limit = delayLimit(s.cellWidth, edgeRun(record, s.slantWidth));
        shiftEdges(diagram.store.edgeOffsets(), row, r.firstCell() + s.firstVisibleCell,
                   r.lastCell() + s.firstVisibleCell, limit, later);
    }
    changed(editor, true);
}

void shiftDelay(Editor& editor, bool later)
{
    if (!editor.abortPendingTools() || !hasSignals(editor))
        return;
    if (editor.state().rectangle.active)
        shiftRectangle(editor, later);
    else
        shiftSelectedRow(editor, later);
}

} // namespace

void registerTimingCommands(Editor& editor)
{
    CommandRegistry& r = editor.commands();
    r.add(cmd::AddClockEdge, [&editor] { addClockEdge(editor, 1); });
    r.add(cmd::SubtractClockEdge, [&editor] { addClockEdge(editor, -1); });
    r.add(cmd::IncreaseClockWidth, [&editor] { zoom(editor, true); });
    r.add(cmd::DecreaseClockWidth, [&editor] { zoom(editor, false); });
    r.add(cmd::IncreaseSignalHeight, [&editor] { changeSignalHeight(editor, true); });
    r.add(cmd::DecreaseSignalHeight, [&editor] { changeSignalHeight(editor, false); });
    r.add(cmd::AddSignalDelay, [&editor] { shiftDelay(editor, true); });
    r.add(cmd::SubtractSignalDelay, [&editor] { shiftDelay(editor, false); });
}

} // namespace sigmora::edit
