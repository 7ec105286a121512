#include "edit/mouse/TransitionEdge.h"

#include <memory>

#include "edit/rows/EdgeOffsets.h"
#include "edit/session/Session.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {

constexpr int kIdealTolerance = 2;   // an ideal edge is taken within 2 pixels either side
constexpr int kSlantNear = 3;        // a slanted edge is taken 3 ...
constexpr int kSlantFar = 7;         // ... to 7 pixels into its run
constexpr int kLateEdgeMargin = 4;   // an edge this close to the cell's end is not taken before it

struct Window {
    int low;
    int high;
};

Window toleranceWindow(int r, bool ideal)
{
    return ideal ? Window{r - kIdealTolerance, r + kIdealTolerance} : Window{r + kSlantNear, r + kSlantFar};
}

std::string_view waveformOf(const model::Diagram& diagram, int row)
{
    return model::signal::waveform(diagram.store.signals().get(row));
}

void setCell(model::Diagram& diagram, int row, size_t position, char value)
{
    model::RecordList& rows = diagram.store.signals();
    std::string wave(model::signal::waveform(rows.get(row)));
    if (position >= wave.size())
        return;
    wave[position] = value;
    rows.replace(row, model::signal::withDataField(rows.get(row), model::signalfield::Waveform, wave));
}

bool moveLater(model::Diagram& diagram, EdgeGrip& grip, int n)
{
    model::CellGrid& offsets = diagram.store.edgeOffsets();
    const std::string& record = diagram.store.signals().get(grip.row);
    const int cellWidth = diagram.settings.cellWidth;
    const int limit = delayLimit(cellWidth, edgeRun(record, diagram.settings.slantWidth));
    const int e = grip.column;
    const int s = accumulatedOffset(offsets, grip.row, e);
    if (s <= limit) {
        moveEdgeBy(offsets, grip.row, e, s + n > limit ? 1 : n);
        return true;
    }
    const std::string_view wave = waveformOf(diagram, grip.row);
    const size_t after = static_cast<size_t>(e) + 1;
    const bool nextCellSame = after + 1 < wave.size() && wave[after] == wave[after + 1];
    if (nextCellSame && s + n > cellWidth && e + 1 <= kLastMovableEdge) {
        // The transition moves one whole cell later and takes its offset along.
        const int carried = offsets.get(grip.row, e + 1);
        offsets.set(grip.row, e + 1, 0);
        offsets.set(grip.row, e + 2, offsets.get(grip.row, e + 2) + carried);
        setCell(diagram, grip.row, after, wave[after - 1]);
        grip.column = e + 1;
        return true;
    }
    moveEdgeBy(offsets, grip.row, e, n);
    return true;
}

bool moveEarlier(model::Diagram& diagram, EdgeGrip& grip, int d)
{
    model::CellGrid& offsets = diagram.store.edgeOffsets();
    const int e = grip.column;
    const int s = accumulatedOffset(offsets, grip.row, e);
    if (s > 0) {
        moveEdgeBy(offsets, grip.row, e, s - d < 1 ? -1 : -d);
        return true;
    }
    const std::string_view wave = waveformOf(diagram, grip.row);
    const size_t before = static_cast<size_t>(e);
    if (e < 1 || before + 1 >= wave.size() || wave[before] != wave[before - 1])
        return false;
    // The transition moves one whole cell earlier; the new edge stands at the end of its cell.
    const int cellWidth = diagram.settings.cellWidth;
    const int inFront = accumulatedOffset(offsets, grip.row, e - 2);
    setCell(diagram, grip.row, before, wave[before + 1]);
    offsets.set(grip.row, e, cellWidth - inFront);
    offsets.set(grip.row, e + 1, -cellWidth);
    grip.column = e - 1;
    return true;
}

} // namespace

std::optional<EdgeGrip> transitionEdgeAt(const model::Diagram& diagram, const GridMapping& grid, int x, int y)
{
    const render::Layout& l = grid.layout();
    const std::optional<int> row = grid.bandRowAt(y);
    const int k = grid.cellAt(x);
    if (!row || x < l.waveOriginX() || l.cellWidth <= 0 || !grid.cellInside(k) || k > kLastMovableEdge)
        return std::nullopt;
    const std::string& record = diagram.store.signals().get(*row);
    if (model::rowKind(record) == model::kRowKindSeparator || model::signal::locked(record) == 1)
        return std::nullopt;
    const std::string_view wave = model::signal::waveform(record);
    const size_t at = static_cast<size_t>(k);
    if (at + 1 >= wave.size())
        return std::nullopt;
    const bool ideal = model::signal::ideal(record) == 1;
    const int xin = (x - l.waveOriginX()) % l.cellWidth;
    const model::CellGrid& offsets = diagram.store.edgeOffsets();
    if (wave[at] != wave[at + 1]) {
        const int r = accumulatedOffset(offsets, *row, k);
        Window w = toleranceWindow(r, ideal);
        if (r >= l.cellWidth - kLateEdgeMargin)
            w.low = r;
        if (xin >= w.low && xin <= w.high)
            return EdgeGrip{*row, k};
        return std::nullopt;
    }
    if (k >= 1 && wave[at - 1] != wave[at]) {
        // The edge of the column before, pushed into this one.
        const int r = accumulatedOffset(offsets, *row, k - 1);
        const int upper = toleranceWindow(r, ideal).high - l.cellWidth;
        if (xin >= 0 && xin <= upper)
            return EdgeGrip{*row, k - 1};
    }
    return std::nullopt;
}

bool dragTransitionEdge(model::Diagram& diagram, EdgeGrip& grip, int dx)
{
    if (dx == 0 || grip.row < 0 || grip.row >= diagram.store.signalCount() || grip.column < 0 ||
        grip.column > kLastMovableEdge)
        return false;
    const bool changed = dx > 0 ? moveLater(diagram, grip, dx) : moveEarlier(diagram, grip, -dx);
    if (resetUnbalancedRow(diagram.store.edgeOffsets(), grip.row))
        return true;
    return changed;
}

void registerTransitionEdgeTool(Session& session)
{
    auto grip = std::make_shared<EdgeGrip>();
    ToolEntryPoints& t = session.tools();
    t.edgeHoverTest = [&session](int x, int y) {
        const InteractionState& s = session.state();
        if (!s.is(Tool::Select) || s.selectionKind != SelectionKind::Signal || s.rectangle.dragging)
            return false;
        return transitionEdgeAt(session.diagram(), GridMapping::of(session.diagram()), x, y).has_value();
    };
    t.startEdgeDrag = [&session, grip](int x, int y) {
        const auto hit = transitionEdgeAt(session.diagram(), GridMapping::of(session.diagram()), x, y);
        if (!hit)
            return false;
        *grip = *hit;
        session.selectRow(hit->row);
        return true;
    };
    t.moveEdge = [&session, grip](int dx) {
        const int column = grip->column;
        if (!dragTransitionEdge(session.diagram(), *grip, dx))
            return;
        session.diagram().modified = true;
        if (grip->column != column)
            session.selectRow(grip->row);
    };
}

} // namespace sigmora::edit
