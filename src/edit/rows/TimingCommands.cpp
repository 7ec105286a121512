#include "edit/rows/TimingCommands.h"

#include "edit/session/CommandIds.h"
#include "edit/rows/EdgeOffsets.h"
#include "edit/session/Session.h"
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

bool hasSignals(const Session& session)
{
    return session.diagram().store.signalCount() > 0;
}

void changed(Session& session, bool snapshot)
{
    session.changed(snapshot);
}

// ---- clock edges ----

void addClockEdge(Session& session, int direction)
{
    if (!session.abortPendingTools() || !hasSignals(session))
        return;
    model::DiagramSettings& s = session.diagram().settings;
    const int cells = s.cellCount + direction * kCellsPerClockEdge;
    // The floor of four cells, and the 600 cells a row can hold.
    if (cells < kMinCellCount || cells > model::kMaxCells)
        return;
    s.cellCount = cells;
    s.waveformWidth += direction * kCellsPerClockEdge * s.cellWidth;
    changed(session, false);
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

void zoom(Session& session, bool in)
{
    if (!session.abortPendingTools() || !hasSignals(session))
        return;
    model::DiagramSettings& s = session.diagram().settings;
    if (!in && s.cellWidth <= kMinCellWidth)
        return;
    const render::Layout before = render::Layout::from(s);
    const int step = in ? 1 : -1;
    s.cellWidth += step;
    if (in && s.cellWidth > 9)
        s.slantWidth = kFullSlantWidth;
    if (!in)
        s.slantWidth = s.cellWidth < kFullSlantWidth ? s.cellWidth : kFullSlantWidth;
    relayoutTextBoxes(session.diagram(), before, render::Layout::from(s));
    adjustDelays(session.diagram(), step);
    InteractionState& st = session.state();
    model::RecordList& rows = session.diagram().store.signals();
    if (st.selectedRow < 0) {
        st.selectedRow = in ? 0 : -1;
        rows.setSelection(st.selectedRow);
    }
    changed(session, true);
}

// ---- signal height ----

void changeSignalHeight(Session& session, bool grow)
{
    if (!session.abortPendingTools())
        return;
    model::DiagramSettings& s = session.diagram().settings;
    const int next = grow ? s.signalHeight + 1 : s.signalHeight - 1;
    if ((grow && s.signalHeight > kMaxSignalHeightToGrow) || (!grow && next < kMinSignalHeight))
        return;
    const render::Layout before = render::Layout::from(s);
    s.signalHeight = next;
    relayoutTextBoxes(session.diagram(), before, render::Layout::from(s));
    changed(session, grow);
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

void shiftSelectedRow(Session& session, bool later)
{
    model::Diagram& diagram = session.diagram();
    const int row = session.state().selectedRow;
    if (row < 0 || row >= diagram.store.signalCount()) {
        session.ui().showMessage(kHighlightFirst);
        return;
    }
    shiftRow(diagram, row, later);
    if (diagram.settings.eachClockOwnPeriod == 1 &&
        model::isClockData(model::fields::dataOfRow(diagram.store.signals().get(row))))
        shiftRowsUnderClock(diagram, row, later);
    changed(session, true);
}

// Every column of the cell rectangle on each of its rows, from the top down to the first separator.
void shiftRectangle(Session& session, bool later)
{
    model::Diagram& diagram = session.diagram();
    const CellRectangle& r = session.state().rectangle;
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
    changed(session, true);
}

void shiftDelay(Session& session, bool later)
{
    if (!session.abortPendingTools() || !hasSignals(session))
        return;
    if (session.state().rectangle.active)
        shiftRectangle(session, later);
    else
        shiftSelectedRow(session, later);
}

} // namespace

void registerTimingCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    r.add(cmd::AddClockEdge, [&session] { addClockEdge(session, 1); });
    r.add(cmd::SubtractClockEdge, [&session] { addClockEdge(session, -1); });
    r.add(cmd::IncreaseClockWidth, [&session] { zoom(session, true); });
    r.add(cmd::DecreaseClockWidth, [&session] { zoom(session, false); });
    r.add(cmd::IncreaseSignalHeight, [&session] { changeSignalHeight(session, true); });
    r.add(cmd::DecreaseSignalHeight, [&session] { changeSignalHeight(session, false); });
    r.add(cmd::AddSignalDelay, [&session] { shiftDelay(session, true); });
    r.add(cmd::SubtractSignalDelay, [&session] { shiftDelay(session, false); });
}

} // namespace sigmora::edit
