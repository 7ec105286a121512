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

constexpr const char* kColumnBreak = "Do you want to add a TIMEBREAK down the entire column (on all the signals)?";
constexpr const char* kColumnBreakTitle = "Column Break?";

} // namespace

GridMapping MousePipeline::grid() const
{
    return GridMapping::of(session_.diagram());
}

void MousePipeline::resetToSelectTool()
{
    InteractionState& s = session_.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    session_.deselectRow();
    s.selectedCell = -1;
}

void MousePipeline::selectOnly(model::ListId id, int index, SelectionKind kind)
{
    // Every other list is deselected, the signal list (the row highlight) included.
    clearAnnotationSelections();
    session_.deselectRow();
    list(session_, id).setSelection(index);
    session_.state().currentTool = Tool::Select;
    session_.state().selectionKind = kind;
}

void MousePipeline::clearAnnotationSelections()
{
    list(session_, model::ListId::Arrows).setSelection(-1);
    list(session_, model::ListId::Labels).setSelection(-1);
    list(session_, model::ListId::TimeBreaks).setSelection(-1);
}

// ---- Left button down ----

void MousePipeline::press(MouseFlags flags, int x, int y)
{
    // The press, its drag and its release are one step of the user's.
    Session::Step step(session_, Session::StepRun::None, Session::StepKind::GestureStart);
    InteractionState& s = session_.state();
    s.lastX = x;
    s.lastY = y;
    s.buttonDown = flags.left;
    session_.updateCursor();
    const GridMapping g = grid();
    if (x < g.layout().waveOriginX())
        s.selectedCell = 1;
    if (ignoredDuringReplacement())
        return;
    pressed_ = true;
    dragMoved_ = false;
    startPress();
    if (g.signalCount() == 0) {
        session_.refresh();
        return;
    }
    if (inNameColumn(g, x, y)) {
        pressNameColumn(flags, y, g);
    } else {
        s.selectedRow = g.rowAt(y);
        s.selectedCell = g.cellAt(x);
        const bool consumed = endStaleTopMarginDrag() || startBorderDrag(flags, x, y, g) ||
                              startTransitionEdgeDrag(x, y, g) || armHandleDrag(x, y) ||
                              offerAnnotationTools(x, y, g) || paintWithCellTool(y, g) || placeText(flags, x, y) ||
                              selectTextBox(flags, x, y) || selectAnnotation(x, y);
        if (!consumed)
            cellStep(x, y, g);
    }
    session_.refresh();
    session_.updateCursor();
}

bool MousePipeline::ignoredDuringReplacement()
{
    return session_.state().drag.kind == Drag::EndReplacement;
}

void MousePipeline::startPress()
{
    InteractionState& s = session_.state();
    session_.diagram().modified = true;
    s.bothLastRow = -1;
    s.bothLastCell = -1;
    if (s.rectangle.active && !s.rectangle.dragging)
        s.rectangle.active = false;
}

bool MousePipeline::inNameColumn(const GridMapping& g, int x, int y) const
{
    return x <= g.layout().waveOriginX() - kNameBorderWidth && g.topMarginLine() + kBorderTolerance < y &&
           y <= g.bottom() + kBottomReach;
}

bool MousePipeline::endStaleTopMarginDrag()
{
    InteractionState& s = session_.state();
    if (s.drag.kind != Drag::TopMargin)
        return false;
    s.drag = {};
    int& top = session_.diagram().settings.topMargin;
    top = std::max(top, kMinimumTopMargin);
    resetToSelectTool();
    s.textPlacement = 0;
    session_.takeSnapshot();
    return true;
}

bool MousePipeline::startBorderDrag(MouseFlags flags, int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    if (!s.is(Tool::Select))
        return false;
    const model::DiagramSettings& st = session_.diagram().settings;
    const int origin = g.layout().waveOriginX();
    DragState drag;
    if (near(x, g.rightEdge()) && y < g.bottom() + kBottomReach)
        drag = {Drag::RightEdge, x, y, st.waveformWidth};
    else if (near(y, g.topMarginLine()) && x < g.rightEdge())
        drag = {Drag::TopMargin, x, y, st.topMargin};
    else if (origin - kNameBorderWidth < x && x < origin && y < g.bottom() - kBorderTolerance &&
             s.drag.kind != Drag::NameColumn)
        drag = {Drag::NameColumn, x, y, st.nameColumnWidth};
    else if (near(y, g.bottom()) && g.signalCount() > 0 && x < g.rightEdge() && flags.left)
        drag = {Drag::BottomEdge, x, y, 0};
    else
        return false;
    s.drag = drag;
    resetToSelectTool();
    return true;
}

bool MousePipeline::startTransitionEdgeDrag(int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    if (s.hover != Hover::TransitionEdge || !t.edgeHoverTest || !t.startEdgeDrag)
        return false;
    if (!s.is(Tool::Select) || s.selectionKind != SelectionKind::Signal || s.rectangle.dragging ||
        !g.cellInside(s.selectedCell) || !t.edgeHoverTest(x, y) || !t.startEdgeDrag(x, y))
        return false;
    session_.selectRow(s.selectedRow);
    s.drag = {Drag::TransitionEdge, x, y, 0};
    return true;
}

bool MousePipeline::armHandleDrag(int x, int y)
{
    InteractionState& s = session_.state();
    if (s.hover != Hover::HandleBegin && s.hover != Hover::HandleEnd && s.hover != Hover::HandleMiddle)
        return false;
    const bool arrow = s.selectionKind == SelectionKind::Arrow && list(session_, model::ListId::Arrows).selection() >= 0;
    const bool label = s.selectionKind == SelectionKind::Label && list(session_, model::ListId::Labels).selection() >= 0;
    if (!arrow && !label)
        return false;
    const Drag kind = arrow && s.hover == Hover::HandleMiddle ? Drag::ArrowMove : Drag::None;
    s.drag = {kind, x, y, arrow ? 1 : 0, s.hover};
    s.lastHandle = s.hover;
    armedHandle_ = kind == Drag::None;
    return true;
}

bool MousePipeline::offerAnnotationTools(int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    const ToolEntryPoints& t = session_.tools();
    const int row = s.selectedRow;
    const int cell = s.selectedCell;
    if (s.is(Tool::Arrow) && t.arrowClick) {
        if (t.arrowClick(cell, row, x, y))
            return true;
        if (s.arrowStep == kStepFirstPointPlaced)
            return true;
    }
    if (s.is(Tool::Label) && t.labelClick) {
        if (t.labelClick(cell, row))
            return true;
        if (s.labelStep >= kStepFirstPointPlaced)
            return true;
    }
    if (s.is(Tool::TimeBreak) && t.timeBreakClick && t.timeBreakClick(cell, row)) {
        if (row == 0) {
            const bool wholeColumn = session_.ui().askYesNo(kColumnBreak, kColumnBreakTitle);
            session_.takeSnapshot();
            if (wholeColumn) {
                for (int r = 1; r < g.signalCount(); ++r)
                    t.timeBreakClick(cell, r);
                session_.takeSnapshot();
            }
        }
        return true;
    }
    return false;
}

bool MousePipeline::paintWithCellTool(int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    const bool annotationTool = s.is(Tool::Arrow) || s.is(Tool::TimeBreak) || s.is(Tool::Label);
    const bool cellTool = s.is(Tool::Flood) || s.is(Tool::TriState) || s.is(Tool::Both);
    if (!annotationTool && !cellTool)
        return false;
    const auto band = g.bandRowAt(y);
    if (!band)
        return true; // outside every band these tools ignore the click
    if (!cellTool)
        return false;
    const int row = *band;
    const int cell = s.selectedCell;
    if (s.is(Tool::Flood)) {
        floodPaint(session_, row, cell);
    } else if (s.is(Tool::TriState)) {
        triStatePaint(session_, row, cell);
    } else {
        bothPaint(session_, row, cell, true);
        s.bothLastRow = row;
        s.bothLastCell = cell;
    }
    return true;
}

bool MousePipeline::placeText(MouseFlags flags, int x, int y)
{
    InteractionState& s = session_.state();
    if (s.textPlacement != 1)
        return false;
    if (s.is(Tool::Draw)) {
        if (session_.tools().createTextBox)
            session_.tools().createTextBox(x, y);
        return true;
    }
    selectTextBox(flags, x, y);
    return true;
}

bool MousePipeline::selectTextBox(MouseFlags flags, int x, int y)
{
    InteractionState& s = session_.state();
    const int hit = textBoxAt(session_, x, y);
    if (hit < 0 || hit >= kSelectionFlags)
        return false;
    // A label's caption is part of the label: a click on it selects the label; a click on the
    // caption of the label already selected takes the caption itself (to move or edit it).
    if (const int label = labelOfCaption(session_, hit); label >= 0 && !flags.ctrl && !s.textSelected[hit]) {
        const model::RecordList& labels = list(session_, model::ListId::Labels);
        const bool labelSelected = s.selectionKind == SelectionKind::Label && labels.selection() == label;
        if (!labelSelected && label < labels.count()) {
            s.clearTextSelection();
            selectOnly(model::ListId::Labels, label, SelectionKind::Label);
            return true;
        }
    }
    list(session_, model::ListId::Texts).setSelection(hit);
    if (flags.ctrl) {
        s.textSelected[hit] = !s.textSelected[hit];
    } else if (!s.textSelected[hit]) {
        s.clearTextSelection();
        s.textSelected[hit] = true;
    }
    s.selectionKind = SelectionKind::TextBox;
    session_.deselectRow();
    s.drag = {Drag::TextMove, x, y, 0};
    return true;
}

OverlapHits MousePipeline::annotationHits(int x, int y, int& timeBreak, int& arrow, int& label)
{
    const ToolEntryPoints& t = session_.tools();
    OverlapHits hits;
    const model::RecordList& breaks = list(session_, model::ListId::TimeBreaks);
    const int row = session_.state().selectedRow;
    const int cell = session_.state().selectedCell;
    model::ReaderReport ignored;
    for (int i = breaks.count() - 1; i >= 0 && timeBreak < 0; --i) {
        const std::string& r = breaks.get(i);
        if (model::fields::intField(r, 0) == cell && session_.diagram().store.attachedSignal(r, ignored) == row)
            timeBreak = i;
    }
    if (t.arrowPath) {
        for (int i = list(session_, model::ListId::Arrows).count() - 1; i >= 0 && arrow < 0; --i)
            if (onPathNear(t.arrowPath(i), {x, y}))
                arrow = i;
    }
    if (t.labelLines) {
        for (int i = list(session_, model::ListId::Labels).count() - 1; i >= 0 && label < 0; --i)
            if (onPath(t.labelLines(i), {x, y}))
                label = i;
    }
    hits.timeBreak = timeBreak >= 0;
    hits.arrow = arrow >= 0;
    hits.label = label >= 0;
    hits.timeBreakSelected = breaks.selection() >= 0;
    hits.arrowSelected = list(session_, model::ListId::Arrows).selection() >= 0;
    hits.labelSelected = list(session_, model::ListId::Labels).selection() >= 0;
    return hits;
}

bool MousePipeline::selectAnnotation(int x, int y)
{
    InteractionState& s = session_.state();
    int timeBreak = -1, arrow = -1, label = -1;
    const OverlapHits hits = annotationHits(x, y, timeBreak, arrow, label);
    const OverlapKind kind = s.is(Tool::Draw) ? OverlapKind::None : rotateOverlap(hits, s.overlapTurn);
    model::RecordList& breaks = list(session_, model::ListId::TimeBreaks);
    model::RecordList& arrows = list(session_, model::ListId::Arrows);
    model::RecordList& labels = list(session_, model::ListId::Labels);
    switch (kind) {
    case OverlapKind::TimeBreak:
        if (breaks.selection() == timeBreak) {
            breaks.setSelection(-1);
            return false;
        }
        selectOnly(model::ListId::TimeBreaks, timeBreak, SelectionKind::TimeBreak);
        return true;
    case OverlapKind::Arrow:
        if (arrows.selection() == arrow) {
            if (const auto handle = handleAt(session_.tools().arrowHandles, x, y)) {
                s.hover = *handle;
                return armHandleDrag(x, y);
            }
            arrows.setSelection(-1);
            return false;
        }
        selectOnly(model::ListId::Arrows, arrow, SelectionKind::Arrow);
        return true;
    case OverlapKind::Label:
        if (labels.selection() == label) {
            if (const auto handle = handleAt(session_.tools().labelHandles, x, y)) {
                s.hover = *handle;
                return armHandleDrag(x, y);
            }
            label = nextLabelBelow(label, x, y);
        }
        selectOnly(model::ListId::Labels, label, SelectionKind::Label);
        return true;
    case OverlapKind::None: break;
    }
    return false;
}

int MousePipeline::nextLabelBelow(int label, int x, int y)
{
    const model::ObjectStore& store = session_.diagram().store;
    const model::RecordList& labels = store.list(model::ListId::Labels);
    const InteractionState& s = session_.state();
    auto endOnClick = [&](const std::string& record, int cellField) {
        const auto name = model::fields::textField(record, cellField + 1);
        return model::fields::intField(record, cellField) == s.selectedCell && name &&
               store.findSignal(*name) == s.selectedRow;
    };
    for (int i = label - 1; i >= 0; --i) {
        const std::string& record = labels.get(i);
        if (endOnClick(record, 0) || endOnClick(record, 2) ||
            (session_.tools().labelLines && onPath(session_.tools().labelLines(i), {x, y})))
            return i;
    }
    return label;
}

void MousePipeline::cellStep(int x, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    clearAnnotationSelections();
    if (!s.is(Tool::Draw) && !s.is(Tool::TriState) && !s.is(Tool::Both)) {
        s.currentTool = Tool::Select;
        s.selectionKind = SelectionKind::Signal;
    }
    const int row = s.selectedRow;
    if (!g.cellInside(s.selectedCell)) {
        if (static_cast<int>(s.currentTool) == static_cast<int>(s.selectionKind)) {
            session_.deselectRow();
            s.clearTextSelection();
        }
        return;
    }
    if (row < 0 || row >= g.signalCount()) {
        session_.deselectRow();
        s.clearTextSelection();
        return;
    }
    session_.selectRow(row);
    s.textPlacement = 0;
    s.selectionKind = SelectionKind::Signal;
    list(session_, model::ListId::Texts).setSelection(-1);
    s.clearTextSelection();
    if (s.is(Tool::Draw)) {
        setLevelClick(session_, row, s.selectedCell, g.inUpperHalf(row, y));
        return;
    }
    if (s.paintingTool())
        return;
    if (startBorderDrag(MouseFlags{true, false, false}, x, y, g))
        return;
    startRectangle(g);
}

void MousePipeline::startRectangle(const GridMapping& g)
{
    InteractionState& s = session_.state();
    const render::Layout& l = g.layout();
    const int lastColumn = l.cellWidth > 0 ? l.waveformWidth / l.cellWidth - 1 : 0;
    CellRectangle& r = s.rectangle;
    r.startRow = s.selectedRow - l.verticalScroll / 2;
    r.startCell = std::clamp(s.selectedCell - l.firstVisibleCell, 0, std::max(0, lastColumn));
    r.endRow = r.startRow + 1;
    r.endCell = std::min(r.startCell + 1, std::max(0, lastColumn));
    r.active = true;
    r.dragging = true;
    s.drag = {Drag::CellRectangle, 0, 0, 0};
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
}

void MousePipeline::pressNameColumn(MouseFlags flags, int y, const GridMapping& g)
{
    InteractionState& s = session_.state();
    s.clearTextSelection();
    if (!s.is(Tool::Select))
        return;
    const int row = g.rowAt(y);
    const bool onRow = row >= 0 && row < g.signalCount();
    if (onRow) {
        session_.selectRow(row);
        s.selectedCell = 1;
        s.selectionKind = SelectionKind::Signal;
    } else {
        session_.deselectRow();
    }
    // The diagram's bottom edge reaches into the name column, also just below the last row.
    if (near(y, g.bottom()) && flags.left) {
        s.drag = {Drag::BottomEdge, 0, y, 0};
    } else if (onRow && s.hover == Hover::NameMove) {
        s.drag = {Drag::SignalMove, 0, y, std::min(row, g.signalCount() - 1)};
        session_.movePreview = render::MovePreview{s.drag.startValue, y, {}};
    }
}

} // namespace sigmora::edit
