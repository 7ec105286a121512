#include "edit/cells/CellCommands.h"

#include <algorithm>
#include <functional>

#include "edit/session/CommandIds.h"
#include "edit/session/Session.h"
#include "edit/cells/WaveformCells.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

// The separator field that "&Invert" toggles on a selected separator.
constexpr int kSeparatorToggleField = 9;

using CellChange = std::function<char(char)>;

struct RectangleSpan {
    int firstRow, lastRow, firstColumn, lastColumn; // signal indices and cell indices, inclusive
};

RectangleSpan spanOf(const Session& session)
{
    const CellRectangle& r = session.state().rectangle;
    const render::Layout l = render::Layout::from(session.diagram().settings);
    return {r.firstRow() + l.firstVisibleSignal(), r.lastRow() + l.firstVisibleSignal(),
            r.firstCell() + l.firstVisibleCell, r.lastCell() + l.firstVisibleCell};
}

void changeColumns(model::Diagram& diagram, int row, int first, int last, const CellChange& change)
{
    std::string wave = waveformOf(diagram, row);
    for (int c = std::max(first, 0); c <= last; ++c) {
        const char v = columnValue(wave, c);
        if (v != '\0')
            writeColumn(wave, c, change(v));
    }
    storeWaveform(diagram, row, wave);
}

// Over the rectangle: every editable row; stopAtSeparator ends the walk at the first separator.
void changeRectangle(Session& session, const CellChange& change, bool stopAtSeparator)
{
    model::Diagram& d = session.diagram();
    const RectangleSpan span = spanOf(session);
    for (int row = std::max(span.firstRow, 0); row <= span.lastRow && row < d.store.signalCount(); ++row) {
        const std::string& record = d.store.signals().get(row);
        if (stopAtSeparator && model::rowKind(record) == model::kRowKindSeparator)
            break;
        if (rowEditable(record))
            changeColumns(d, row, span.firstColumn, span.lastColumn, change);
    }
}

void changeWholeRow(Session& session, int row, const CellChange& change)
{
    model::Diagram& d = session.diagram();
    std::string wave = waveformOf(d, row);
    std::transform(wave.begin(), wave.end(), wave.begin(), [&](char v) { return change(v); });
    storeWaveform(d, row, wave);
}

bool rowSelected(const Session& session)
{
    const int row = session.state().selectedRow;
    return row >= 0 && row < session.diagram().store.signalCount();
}

void applyCellCommand(Session& session, const CellChange& change, bool invert)
{
    model::Diagram& d = session.diagram();
    d.store.list(model::ListId::Texts).setSelection(-1);
    if (session.state().rectangle.active) {
        changeRectangle(session, change, invert);
    } else if (rowSelected(session)) {
        const int row = session.state().selectedRow;
        const std::string& record = d.store.signals().get(row);
        if (invert && model::rowKind(record) == model::kRowKindSeparator) {
            const int v = model::fields::intField(model::fields::dataOfRow(record), kSeparatorToggleField);
            d.store.signals().replace(row, model::signal::withDataField(record, kSeparatorToggleField, v == 0 ? 1 : 0));
        } else if (rowEditable(record)) {
            changeWholeRow(session, row, change);
        }
    } else {
        return;
    }
    d.modified = true;
    session.refresh();
}

char invertLevel(char v)
{
    return v == kLow ? kHigh : v == kHigh ? kLow : v;
}

void setIdeal(Session& session, int value)
{
    if (!rowSelected(session))
        return;
    model::RecordList& rows = session.diagram().store.signals();
    const int row = session.state().selectedRow;
    // A locked row keeps its look, and a separator holds its font face where a signal holds the flag.
    if (!rowEditable(rows.get(row)))
        return;
    rows.replace(row, model::signal::withDataField(rows.get(row), model::signalfield::Ideal, value));
    session.diagram().modified = true;
    session.refresh();
}

void updateInvert(const Session& session, CommandState& state)
{
    if (!rowSelected(session))
        return;
    const std::string& record = session.diagram().store.signals().get(session.state().selectedRow);
    const bool separator = model::rowKind(record) == model::kRowKindSeparator;
    state.enabled = session.state().rectangle.active ? !separator : !legacyBus(record);
}

} // namespace

void registerCellCommands(Session& session)
{
    CommandRegistry& r = session.commands();
    const struct {
        int command;
        char value;
    } writes[] = {{cmd::ctx::High, kHigh}, {cmd::ctx::Low, kLow}, {cmd::ctx::TriState, kTriState},
                  {cmd::ctx::BothHighLow, kPhaseA}};
    for (const auto& w : writes) {
        const char v = w.value;
        r.add(w.command, [&session, v] { applyCellCommand(session, [v](char) { return v; }, false); });
    }
    r.add(
        cmd::ctx::Invert, [&session] { applyCellCommand(session, invertLevel, true); },
        [&session](CommandState& s) { updateInvert(session, s); });
    r.add(cmd::ctx::IdealEdge, [&session] { setIdeal(session, 1); });
    r.add(cmd::ctx::NonIdealEdge, [&session] { setIdeal(session, 0); });
}

} // namespace sigmora::edit
