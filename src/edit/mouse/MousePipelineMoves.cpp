// The mouse pipeline, second half: the pointer moving (hover, drags, painting along the way), the
// button released (ending each drag) and the double click.
#include "edit/mouse/MousePipeline.h"

#include <algorithm>
#include <cstdlib>

#include "edit/cells/CellTools.h"
#include "edit/session/Session.h"
#include "edit/grid/PathHitTest.h"
#include "edit/mouse/PointerReach.h"
#include "edit/rows/SignalOrder.h"
#include "edit/annotations/TextBoxes.h"
#include "model/RecordFields.h"

namespace sigmora::edit {

using namespace pointer;

namespace {

constexpr const char* kSnapQuestion = "Do you want to turn the snap-to-grid feature off?";
// The most points one move is painted at; a longer way is painted at points a little further
// apart than a pixel.
constexpr int kMaxStrokeSteps = 8192;

} // namespace

void MousePipeline::move(MouseFlags flags, int x, int y)
{
    InteractionState& s = session_.state();
    const int dx = x - s.lastX;
    const int dy = y - s.lastY;
    s.lastX = x;
    s.lastY = y;
    const GridMapping g = grid();
    if (moveBorderDrag(flags, x, y) || moveSignalMarker(flags, y)) {
        session_.updateCursor();
        return;
    }
    updateHover(flags, x, y, g);
    bool changed = followRubberBand(x, y);
    if (!changed && flags.left && !flags.shift)
        changed = dragWithButton(flags, dx, dy, g);
    if (!changed)
        changed = extendRectangle(flags, x, y, g);
    if (changed)
        session_.refresh();
    session_.updateCursor();
}

bool MousePipeline::moveBorderDrag(MouseFlags flags, int x, int y)
{
    InteractionState& s = session_.state();
    model::DiagramSettings& st = session_.diagram().settings;
    if (s.drag.kind != Drag::RightEdge && s.drag.kind != Drag::TopMargin && s.drag.kind != Drag::NameColumn)
        return false;
    if (!flags.left) {
        s.hover = Hover::None;
        return true;
    }
    if (s.drag.kind == Drag::RightEdge)
        st.waveformWidth += x - s.drag.anchorX;
    else if (s.drag.kind == Drag::TopMargin)
        st.topMargin = std::max(kMinimumTopMargin, st.topMargin + y - s.drag.anchorY);
    else
        st.nameColumnWidth += x - s.drag.anchorX;
    s.drag.anchorX = x;
    s.drag.anchorY = y;
    resetToSelectTool();
    session_.refresh();
    return true;
}

bool MousePipeline::moveSignalMarker(MouseFlags flags, int y)
{
    InteractionState& s = session_.state();
    if (s.drag.kind != Drag::SignalMove || !flags.left || !s.is(Tool::Select))
        return false;
    if (session_.movePreview)
        session_.movePreview->mouseY = y;
    session_.refresh();
    return true;
}

void MousePipeline::updateHover(MouseFlags flags, int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    if (s.drag.kind == Drag::BottomEdge) {
        s.currentTool = Tool::Select;
        if (session_.tools().openHeightWindow)
            session_.tools().openHeightWindow();
        s.drag = {};
        return;
    }
    if (flags.left && !s.is(Tool::Select))
        return;
    const ToolEntryPoints& t = session_.tools();
    const render::Layout& l = g.layout();
    const int origin = l.waveOriginX();
    const bool rows = g.signalCount() > 0;
    const auto handle = s.selectionKind == SelectionKind::Arrow ? handleAt(t.arrowHandles, x, y)
                        : s.selectionKind == SelectionKind::Label ? handleAt(t.labelHandles, x, y)
                                                                  : std::nullopt;
    Hover hover = Hover::None;
    const int text = textBoxAt(session_, x, y);
    if (handle)
        hover = *handle;
    else if (text >= 0 && text < kSelectionFlags && s.textSelected[text])
        hover = Hover::TextMove;
    else if (s.is(Tool::Select) && x <= origin - kNameBorderWidth && g.rowAt(y) >= 0 && g.rowAt(y) < g.signalCount() &&
             g.topMarginLine() + kBorderTolerance < y && y <= g.bottom() + kBottomReach)
        hover = Hover::NameMove;
    else if (near(x, g.rightEdge()) && y < g.bottom() + kBottomReach)
        hover = Hover::RightEdge;
    else if (origin - kNameBorderWidth < x && x < origin && g.topMarginLine() + kBottomReach < y &&
             y < g.bottom() - kBorderTolerance)
        hover = Hover::NameBorder;
    else if (near(y, g.bottom()) && x < g.rightEdge() && rows)
        hover = Hover::Bottom;
    else if (near(y, g.topMarginLine()) && x < g.rightEdge() && rows)
        hover = Hover::TopMargin;
    else if (s.is(Tool::Select) && !flags.left && t.edgeHoverTest && t.edgeHoverTest(x, y))
        hover = Hover::TransitionEdge;
    s.hover = hover;
}

bool MousePipeline::followRubberBand(int x, int y)
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    if (s.is(Tool::Arrow) && s.arrowStep == kStepFirstPointPlaced && t.arrowRubberBand) {
        t.arrowRubberBand(x, y);
        return true;
    }
    if (s.is(Tool::Label) && s.labelStep >= kStepFirstPointPlaced && t.labelRubberBand) {
        t.labelRubberBand(x, y);
        return true;
    }
    return false;
}

bool MousePipeline::dragWithButton(MouseFlags, int dx, int dy, const GridMapping& g)
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    switch (s.drag.kind) {
    case Drag::ArrowMove:
        if (t.moveArrow && (dx != 0 || dy != 0)) {
            t.moveArrow(dx, dy);
            dragMoved_ = true;
        }
        return true;
    case Drag::TextMove:
        if (dx != 0 || dy != 0) {
            moveSelectedTextBoxes(session_, dx, dy, TextMove::Drag);
            dragMoved_ = true;
        }
        return true;
    case Drag::TransitionEdge:
        if (t.moveEdge && dx != 0)
            t.moveEdge(dx);
        return true;
    default: break;
    }
    if (armedHandle_) {
        armedHandle_ = false;
        s.drag.kind = Drag::EndReplacement;
        if (s.selectionKind == SelectionKind::Label && s.drag.handle == Hover::HandleMiddle)
            s.labelStep = kStepMiddleHandle;
        return followReplacement();
    }
    if (s.drag.kind == Drag::EndReplacement)
        return followReplacement();
    if (!s.paintingTool())
        return false;
    return paintAlong(s.lastX - dx, s.lastY - dy, s.lastX, s.lastY, g);
}

bool MousePipeline::paintAlong(int fromX, int fromY, int toX, int toY, const GridMapping& g)
{
    // A quick stroke reports points several cells apart. The straight way between them is painted
    // as if the pointer had reported every pixel of it, so no cell it crosses is left out.
    const int dx = toX - fromX;
    const int dy = toY - fromY;
    const int steps = std::clamp(std::max(std::abs(dx), std::abs(dy)), 1, kMaxStrokeSteps);
    bool changed = false;
    for (int i = 1; i <= steps; ++i)
        changed = paintAt(fromX + dx * i / steps, fromY + dy * i / steps, g) || changed;
    return changed;
}

bool MousePipeline::paintAt(int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    const auto band = g.bandRowAt(y);
    if (!band)
        return false;
    const int row = *band;
    const int cell = g.cellAt(x);
    if (!g.cellInside(cell))
        return false;
    switch (s.currentTool) {
    case Tool::Draw: return setLevelPaint(session_, row, cell, g.inUpperHalf(row, y));
    case Tool::Flood: return floodPaint(session_, row, cell);
    case Tool::TriState: return triStatePaint(session_, row, cell);
    case Tool::Both:
        if (row == s.bothLastRow && cell == s.bothLastCell)
            return false;
        s.bothLastRow = row;
        s.bothLastCell = cell;
        return bothPaint(session_, row, cell, false);
    default: return false;
    }
}

bool MousePipeline::followReplacement()
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    if (s.drag.startValue == 1 && t.arrowRubberBand)
        t.arrowRubberBand(s.lastX, s.lastY);
    else if (s.drag.startValue == 0 && t.labelRubberBand)
        t.labelRubberBand(s.lastX, s.lastY);
    return true;
}

bool MousePipeline::extendRectangle(MouseFlags flags, int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    if (!flags.left || s.paintingTool() || !s.rectangle.dragging)
        return false;
    const render::Layout& l = g.layout();
    const int lastColumn = l.cellWidth > 0 ? l.waveformWidth / l.cellWidth - 1 : 0;
    CellRectangle& r = s.rectangle;
    const int displayRow = g.rowAt(y) - l.verticalScroll / 2;
    const int displayCell = g.cellAt(x) - l.firstVisibleCell;
    const int endRow = displayRow >= r.startRow ? displayRow + 1 : displayRow;
    const int endCell = std::clamp(displayCell >= r.startCell ? displayCell + 1 : displayCell, 0, std::max(0, lastColumn));
    if (endRow == r.endRow && endCell == r.endCell)
        return false;
    r.endRow = endRow;
    r.endCell = endCell;
    return true;
}

// ---- Left button up ----

void MousePipeline::release(MouseFlags, int x, int y)
{
    Session::Step step(session_, Session::StepRun::None, Session::StepKind::GestureEnd);
    InteractionState& s = session_.state();
    s.buttonDown = false;
    if (!pressed_ && s.drag.kind != Drag::EndReplacement)
        return; // a release without its press changes nothing
    pressed_ = false;
    const GridMapping g = grid();
    const Drag kind = s.drag.kind;
    armedHandle_ = false;
    if (endBorderDrag(x, y)) {
        // the border drags keep no snapshot
    } else if (kind == Drag::BottomEdge) {
        s.drag = {};
        resetToSelectTool();
    } else if (kind == Drag::TextMove) {
        s.drag = {};
        // A click that only selects the box leaves nothing to undo.
        if (dragMoved_)
            session_.takeSnapshot();
    } else if (kind == Drag::ArrowMove) {
        endArrowMove();
    } else if (kind == Drag::TransitionEdge) {
        s.drag = {};
        session_.takeSnapshot();
    } else if (kind == Drag::SignalMove) {
        endSignalMove(y, g);
    } else if (kind == Drag::EndReplacement) {
        endReplacement(x, y);
    } else {
        s.drag = {};
        s.rectangle.dragging = false;
        const bool pointPlaced = (s.is(Tool::Arrow) && s.arrowStep == kStepFirstPointPlaced) ||
                                 (s.is(Tool::Label) && s.labelStep >= kStepFirstPointPlaced);
        if (!s.is(Tool::Select) && !pointPlaced)
            session_.takeSnapshot();
    }
    session_.refresh();
    session_.updateCursor();
}

void MousePipeline::abandon()
{
    if (pressed_ || session_.state().drag.kind != Drag::None)
        release(MouseFlags{}, session_.state().lastX, session_.state().lastY);
}

bool MousePipeline::endBorderDrag(int x, int y)
{
    InteractionState& s = session_.state();
    model::DiagramSettings& st = session_.diagram().settings;
    switch (s.drag.kind) {
    case Drag::RightEdge: st.waveformWidth += x - s.drag.anchorX; break;
    case Drag::TopMargin: st.topMargin = std::max(kMinimumTopMargin, st.topMargin + y - s.drag.anchorY); break;
    case Drag::NameColumn: st.nameColumnWidth += x - s.drag.anchorX; break;
    default: return false;
    }
    s.drag = {};
    resetToSelectTool();
    return true;
}

bool MousePipeline::endArrowMove()
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    s.drag = {};
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Arrow;
    if (!dragMoved_)
        return false;
    const bool floating = t.selectedArrowFloating && t.selectedArrowFloating();
    if (floating) {
        session_.takeSnapshot();
        return true;
    }
    if (session_.ui().askYesNo(kSnapQuestion, "")) {
        // Snapping turned off: the arrow stays where it was dropped.
        if (t.floatSelectedArrow)
            t.floatSelectedArrow();
        session_.takeSnapshot();
        return true;
    }
    if (t.snapSelectedArrow)
        t.snapSelectedArrow();
    return false;
}

void MousePipeline::endSignalMove(int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    const int start = s.drag.startValue;
    s.drag = {};
    session_.movePreview.reset();
    const int up = g.rowWithinSignals(y + 2 * g.layout().signalHeight);
    const int down = g.rowWithinSignals(y);
    if (up != start) {
        session_.selectRow(start);
        if (up < start) {
            for (int i = 0; i < start - up; ++i)
                moveSignal(session_, -1, false);
        } else {
            for (int i = 0; i < down - start; ++i)
                moveSignal(session_, +1, false);
        }
    }
    session_.takeSnapshot();
}

void MousePipeline::endReplacement(int x, int y)
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    const DragState drag = s.drag;
    s.drag = {};
    if (drag.startValue == 1) {
        if (t.replaceArrowEnd && t.replaceArrowEnd(x, y)) {
            s.currentTool = Tool::Select;
            s.selectionKind = SelectionKind::Arrow;
        }
        return;
    }
    if (drag.handle == Hover::HandleMiddle) {
        if (t.moveLabelMiddle)
            t.moveLabelMiddle(y - drag.anchorY);
        s.labelStep = kStepIdle;
        return;
    }
    if (t.replaceLabelEnd && t.replaceLabelEnd(x, y)) {
        s.currentTool = Tool::Select;
        s.selectionKind = SelectionKind::Label;
    }
}

// ---- Double-click ----

void MousePipeline::doubleClick(int x, int y)
{
    Session::Step step(session_);
    InteractionState& s = session_.state();
    if (s.is(Tool::Draw))
        return;
    const GridMapping g = grid();
    const int row = g.rowAt(y);
    const bool onRow = row >= 0 && row < g.signalCount();
    if (s.is(Tool::Select) && x < g.layout().waveOriginX() && onRow) {
        session_.selectRow(row);
        if (session_.tools().editSignalAttributes)
            session_.tools().editSignalAttributes(row);
    } else if (s.is(Tool::Select) && s.selectionKind == SelectionKind::Signal) {
        s.rectangle.active = false;
        s.rectangle.dragging = false;
        if (onRow)
            session_.selectRow(row);
    } else if (const int text = textBoxAt(session_, x, y); text >= 0) {
        list(session_, model::ListId::Texts).setSelection(text);
        if (session_.tools().editTextAttributes)
            session_.tools().editTextAttributes(text);
    }
    session_.refresh();
}

} // namespace sigmora::edit
