#include "edit/cells/CellTools.h"

#include <algorithm>

#include "edit/session/Session.h"
#include "edit/grid/GridMapping.h"
#include "edit/cells/WaveformCells.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {

bool rowExists(const Session& session, int row)
{
    return row >= 0 && row < session.diagram().store.signalCount();
}

bool editableRow(const Session& session, int row)
{
    return rowExists(session, row) && rowEditable(session.diagram().store.signals().get(row));
}

bool cellInside(const Session& session, int cell)
{
    return GridMapping::of(session.diagram()).cellInside(cell);
}

bool store(Session& session, int row, const std::string& before, const std::string& after)
{
    if (after == before)
        return false;
    storeWaveform(session.diagram(), row, after);
    return true;
}

// A new bus value starts at column k of a legacy bus row: every later cell swaps its phase.
void swapPhasesFrom(std::string& wave, int column)
{
    if (column == 0) {
        wave[0] = wave[0] == kPhaseA ? kPhaseB : kPhaseA;
        return;
    }
    for (int p = column + 1; p < static_cast<int>(wave.size()); ++p) {
        if (wave[p] == kPhaseA)
            wave[p] = kPhaseB;
        else if (wave[p] == kPhaseB)
            wave[p] = kPhaseA;
        else if (p == column + 1)
            wave[p] = kPhaseA;
        else
            break;
    }
}

// Swaps 3 and 4 from column k on, stopping at the first other character.
void continueBusFrom(std::string& wave, int column)
{
    for (int p = column + 1; p < static_cast<int>(wave.size()); ++p) {
        if (wave[p] == kPhaseA)
            wave[p] = kPhaseB;
        else if (wave[p] == kPhaseB)
            wave[p] = kPhaseA;
        else
            break;
    }
}

void dropRectangle(Session& session)
{
    session.state().rectangle.active = false;
    session.state().rectangle.dragging = false;
}

} // namespace

int delayAdjustedColumn(Session& session, int row, int cell)
{
    const model::CellGrid& offsets = session.diagram().store.edgeOffsets();
    long long shift = 0;
    for (int i = 0; i <= cell + 1 && i < model::kMaxCells; ++i)
        shift += offsets.get(row, i);
    return shift > session.diagram().settings.cellWidth / 2 ? cell - 1 : cell;
}

bool setLevelClick(Session& session, int row, int cell, bool high)
{
    if (!editableRow(session, row))
        return false;
    // A click in the delay before the first column means column -1: the level entering column 0,
    // which is character 0.
    const int column = delayAdjustedColumn(session, row, cell);
    if (column < -1)
        return false;
    const std::string& record = session.diagram().store.signals().get(row);
    const std::string before = waveformOf(session.diagram(), row);
    std::string wave = before;
    if (legacyBus(record)) {
        if (!wave.empty())
            swapPhasesFrom(wave, std::max(column, 0));
    } else {
        writeColumn(wave, column, high ? kHigh : kLow);
    }
    ++session.state().drawEdits;
    return store(session, row, before, wave);
}

bool setLevelPaint(Session& session, int row, int cell, bool high)
{
    if (!editableRow(session, row) || legacyBus(session.diagram().store.signals().get(row)))
        return false;
    const int column = delayAdjustedColumn(session, row, cell);
    if (column < -1)
        return false;
    const std::string before = waveformOf(session.diagram(), row);
    std::string wave = before;
    const char v = high ? kHigh : kLow;
    writeChar(wave, column + 1, v);
    // The level entering the visible area follows, so no edge shows at its left border.
    if (column == session.diagram().settings.firstVisibleCell)
        writeChar(wave, column, v);
    ++session.state().drawEdits;
    return store(session, row, before, wave);
}

bool triStatePaint(Session& session, int row, int cell)
{
    if (!editableRow(session, row) || cell < 0 || !cellInside(session, cell))
        return false;
    const std::string before = waveformOf(session.diagram(), row);
    std::string wave = before;
    writeColumn(wave, cell, kTriState);
    session.state().selectedRow = row;
    dropRectangle(session);
    session.diagram().modified = true;
    return store(session, row, before, wave);
}

bool bothPaint(Session& session, int row, int cell, bool firstClick)
{
    if (!editableRow(session, row) || cell < 0 || !cellInside(session, cell))
        return false;
    InteractionState& s = session.state();
    const std::string before = waveformOf(session.diagram(), row);
    std::string wave = before;
    if (firstClick) {
        s.bothPhase = columnValue(wave, cell) == kPhaseA ? kPhaseB : kPhaseA;
        writeColumn(wave, cell, s.bothPhase);
        continueBusFrom(wave, cell + 1);
    } else {
        writeColumn(wave, cell, s.bothPhase);
    }
    s.selectedRow = row;
    dropRectangle(session);
    session.diagram().modified = true;
    return store(session, row, before, wave);
}

bool floodPaint(Session& session, int row, int cell)
{
    if (!rowExists(session, row) || cell < 0 || !cellInside(session, cell) ||
        model::signal::locked(session.diagram().store.signals().get(row)) != 0)
        return false;
    InteractionState& s = session.state();
    s.selectedRow = row;
    session.diagram().store.signals().setSelection(row);
    dropRectangle(session);
    model::CellGrid& floods = session.diagram().store.floodStyles();
    const int style = model::fields::cAtoi(s.floodStyle);
    if (floods.get(row, cell) == style)
        return false;
    floods.set(row, cell, style);
    return true;
}

} // namespace sigmora::edit
