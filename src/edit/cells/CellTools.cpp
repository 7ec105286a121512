#include "edit/cells/CellTools.h"

#include <algorithm>

#include "edit/Editor.h"
#include "edit/grid/GridMapping.h"
#include "edit/cells/WaveformCells.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::edit {

namespace {

bool rowExists(const Editor& editor, int row)
{
    return row >= 0 && row < editor.diagram().store.signalCount();
}

bool editableRow(const Editor& editor, int row)
{
    return rowExists(editor, row) && rowEditable(editor.diagram().store.signals().get(row));
}

bool cellInside(const Editor& editor, int cell)
{
    return GridMapping::of(editor.diagram()).cellInside(cell);
}

bool store(Editor& editor, int row, const std::string& before, const std::string& after)
{
    if (after == before)
        return false;
    storeWaveform(editor.diagram(), row, after);
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

void dropRectangle(Editor& editor)
{
    editor.state().rectangle.active = false;
    editor.state().rectangle.dragging = false;
}

} // namespace

int delayAdjustedColumn(Editor& editor, int row, int cell)
{
    const model::CellGrid& offsets = editor.diagram().store.edgeOffsets();
    long long shift = 0;
    for (int i = 0; i <= cell + 1 && i < model::kMaxCells; ++i)
        shift += offsets.get(row, i);
    return shift > editor.diagram().settings.cellWidth / 2 ? cell - 1 : cell;
}

bool setLevelClick(Editor& editor, int row, int cell, bool high)
{
    if (!editableRow(editor, row))
        return false;
    // A click in the delay before the first column means column -1: the level entering column 0,
    // which is character 0.
    const int column = delayAdjustedColumn(editor, row, cell);
    if (column < -1)
        return false;
    const std::string& record = editor.diagram().store.signals().get(row);
    const std::string before = waveformOf(editor.diagram(), row);
    std::string wave = before;
    if (legacyBus(record)) {
        if (!wave.empty())
            swapPhasesFrom(wave, std::max(column, 0));
    } else {
        writeColumn(wave, column, high ? kHigh : kLow);
    }
    ++editor.state().drawEdits;
    return store(editor, row, before, wave);
}

bool setLevelPaint(Editor& editor, int row, int cell, bool high)
{
    if (!editableRow(editor, row) || legacyBus(editor.diagram().store.signals().get(row)))
        return false;
    const int column = delayAdjustedColumn(editor, row, cell);
    if (column < -1)
        return false;
    const std::string before = waveformOf(editor.diagram(), row);
    std::string wave = before;
    const char v = high ? kHigh : kLow;
    writeChar(wave, column + 1, v);
    // The level entering the visible area follows, so no edge shows at its left border.
    if (column == editor.diagram().settings.firstVisibleCell)
        writeChar(wave, column, v);
    ++editor.state().drawEdits;
    return store(editor, row, before, wave);
}

bool triStatePaint(Editor& editor, int row, int cell)
{
    if (!editableRow(editor, row) || cell < 0 || !cellInside(editor, cell))
        return false;
    const std::string before = waveformOf(editor.diagram(), row);
    std::string wave = before;
    writeColumn(wave, cell, kTriState);
    editor.state().selectedRow = row;
    dropRectangle(editor);
    editor.diagram().modified = true;
    return store(editor, row, before, wave);
}

bool bothPaint(Editor& editor, int row, int cell, bool firstClick)
{
    if (!editableRow(editor, row) || cell < 0 || !cellInside(editor, cell))
        return false;
    InteractionState& s = editor.state();
    const std::string before = waveformOf(editor.diagram(), row);
    std::string wave = before;
    if (firstClick) {
        s.bothPhase = columnValue(wave, cell) == kPhaseA ? kPhaseB : kPhaseA;
        writeColumn(wave, cell, s.bothPhase);
        continueBusFrom(wave, cell + 1);
    } else {
        writeColumn(wave, cell, s.bothPhase);
    }
    s.selectedRow = row;
    dropRectangle(editor);
    editor.diagram().modified = true;
    return store(editor, row, before, wave);
}

bool floodPaint(Editor& editor, int row, int cell)
{
    if (!rowExists(editor, row) || cell < 0 || !cellInside(editor, cell) ||
        model::signal::locked(editor.diagram().store.signals().get(row)) != 0)
        return false;
    InteractionState& s = editor.state();
    s.selectedRow = row;
    editor.diagram().store.signals().setSelection(row);
    dropRectangle(editor);
    model::CellGrid& floods = editor.diagram().store.floodStyles();
    const int style = model::fields::cAtoi(s.floodStyle);
    if (floods.get(row, cell) == style)
        return false;
    floods.set(row, cell, style);
    return true;
}

} // namespace sigmora::edit
