#pragma once

#include <string>

#include "edit/Editor.h"
#include "edit/grid/GridMapping.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "render/MeasuringSurface.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

namespace sigmora::test {

// An editor driven like a user: rows added, presses, drags and releases at cells, questions
// answered by the fake UI port. Counts refreshes and undo snapshots.
struct EditorDriver {
    FakeUiPort ui;
    FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    int refreshes = 0;
    int snapshots = 0;

    EditorDriver()
    {
        editor.onRefresh = [this] { ++refreshes; };
        editor.onSnapshot = [this] { ++snapshots; };
    }

    // Every refresh also runs the full redraw, as the window does, so that the mouse finds the
    // annotations where they are drawn.
    void drawOnRefresh()
    {
        editor.onRefresh = [this] {
            ++refreshes;
            render::MeasuringSurface screen(measurer, {1920, 1080});
            editor.redraw(screen);
        };
        editor.refresh();
    }

    edit::GridMapping grid() const { return edit::GridMapping::of(editor.diagram()); }
    render::Layout layout() const { return grid().layout(); }

    // The middle x of a cell, and a y in the upper (high) or lower (low) half of a row's band.
    int cellX(int cell) const
    {
        const render::Layout l = layout();
        return l.waveOriginX() + (cell - l.firstVisibleCell) * l.cellWidth + l.cellWidth / 2;
    }
    int rowY(int row, bool high) const
    {
        const render::Layout l = layout();
        const int middle = l.middleLevel(l.signalTop(row));
        return high ? middle - 2 : middle + 2;
    }

    void press(int x, int y, bool ctrl = false) { editor.mouse().press({true, ctrl, false}, x, y); }
    void moveHeld(int x, int y) { editor.mouse().move({true, false, false}, x, y); }
    void hover(int x, int y) { editor.mouse().move({}, x, y); }
    void release(int x, int y) { editor.mouse().release({}, x, y); }
    void click(int x, int y, bool ctrl = false)
    {
        press(x, y, ctrl);
        release(x, y);
    }
    void clickCell(int row, int cell, bool high) { click(cellX(cell), rowY(row, high)); }
    // A stroke from one cell to another along a row, one move per cell.
    void stroke(int row, int fromCell, int toCell, bool high)
    {
        press(cellX(fromCell), rowY(row, high));
        const int step = toCell >= fromCell ? 1 : -1;
        for (int c = fromCell + step; c != toCell + step; c += step)
            moveHeld(cellX(c), rowY(row, high));
        release(cellX(toCell), rowY(row, high));
    }

    void addSignals(int n)
    {
        for (int i = 0; i < n; ++i)
            editor.addRow(model::NewRowKind::Signal);
    }
    const std::string& record(int row) const { return editor.diagram().store.signals().get(row); }
    std::string wave(int row) const { return std::string(model::signal::waveform(record(row))); }
    // Replaces a row's waveform string (for short worked examples).
    void setWave(int row, const std::string& wave)
    {
        auto& rows = editor.diagram().store.signals();
        rows.replace(row, model::signal::withDataField(rows.get(row), model::signalfield::Waveform, wave));
    }
    void setDataField(int row, int field, const std::string& value)
    {
        auto& rows = editor.diagram().store.signals();
        rows.replace(row, model::signal::withDataField(rows.get(row), field, value));
    }
};

} // namespace sigmora::test
