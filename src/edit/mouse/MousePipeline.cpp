#include "edit/mouse/MousePipeline.h"

#include <algorithm>
#include <cstdlib>

#include "edit/cells/CellTools.h"
#include "edit/Editor.h"
#include "edit/grid/PathHitTest.h"
#include "edit/rows/SignalOrder.h"
#include "edit/annotations/TextBoxes.h"
#include "model/RecordFields.h"

namespace sigmora::edit {

namespace {

constexpr int kBorderTolerance = 3;      // pixels either side of a border line that take hold of it
constexpr int kNameBorderWidth = 6;      // the grip left of the waveform origin
constexpr int kBottomReach = 4;          // how far below B the right edge and name column reach
constexpr int kMinimumTopMargin = 20;
constexpr const char* kColumnBreak = "Do you want to add a TIMEBREAK down the entire column (on all the signals)?";
constexpr const char* kColumnBreakTitle = "Column Break?";
constexpr const char* kSnapQuestion = "Do you want to turn the snap-to-grid feature off?";
// The most points one move is painted at; a longer way is painted at points a little further
// apart than a pixel.
constexpr int kMaxStrokeSteps = 8192;

bool near(int v, int line)
{
    return line - kBorderTolerance < v && v < line + kBorderTolerance;
}

Hover hoverOf(render::Handle h)
{
    switch (h) {
    case render::Handle::Begin: return Hover::HandleBegin;
    case render::Handle::End: return Hover::HandleEnd;
    case render::Handle::Middle: return Hover::HandleMiddle;
    }
    return Hover::None;
}

// The handle of the drawn handle rectangles that (x, y) lies strictly inside, if any.
std::optional<Hover> handleAt(const std::function<std::optional<render::HandleRects>()>& handles, int x, int y)
{
    const auto rects = handles ? handles() : std::nullopt;
    if (!rects)
        return std::nullopt;
    if (const auto h = rects->hit({x, y}))
        return hoverOf(*h);
    return std::nullopt;
}

model::RecordList& list(Editor& e, model::ListId id)
{
    return e.diagram().store.list(id);
}

} // namespace

GridMapping MousePipeline::grid() const
{
    return GridMapping::of(editor_.diagram());
}

void MousePipeline::resetToSelectTool()
{
    InteractionState& s = editor_.state();
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    editor_.deselectRow();
    s.selectedCell = -1;
}

void MousePipeline::selectOnly(model::ListId id, int index, SelectionKind kind)
{
    // Every other list is deselected, the signal list (the row highlight) included.
    clearAnnotationSelections();
    editor_.deselectRow();
    list(editor_, id).setSelection(index);
    editor_.state().currentTool = Tool::Select;
    editor_.state().selectionKind = kind;
}

void MousePipeline::clearAnnotationSelections()
{
    list(editor_, model::ListId::Arrows).setSelection(-1);
    list(editor_, model::ListId::Labels).setSelection(-1);
    list(editor_, model::ListId::TimeBreaks).setSelection(-1);
}

// ---- Left button down ----

void MousePipeline::press(MouseFlags flags, int x, int y)
{
    InteractionState& s = editor_.state();
    s.lastX = x;
    s.lastY = y;
    s.buttonDown = flags.left;
    editor_.updateCursor();
    const GridMapping g = grid();
    if (x < g.layout().waveOriginX())
        s.selectedCell = 1;
    if (ignoredDuringReplacement())
        return;
    pressed_ = true;
    dragMoved_ = false;
    startPress();
    if (g.signalCount() == 0) {
        editor_.refresh();
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
    editor_.refresh();
    editor_.updateCursor();
}

bool MousePipeline::ignoredDuringReplacement()
{
    return editor_.state().drag.kind == Drag::EndReplacement;
}

void MousePipeline::startPress()
{
    InteractionState& s = editor_.state();
    editor_.diagram().modified = true;
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
    InteractionState& s = editor_.state();
    if (s.drag.kind != Drag::TopMargin)
        return false;
    s.drag = {};
    int& top = editor_.diagram().settings.topMargin;
    top = std::max(top, kMinimumTopMargin);
    resetToSelectTool();
    s.textPlacement = 0;
    editor_.takeSnapshot();
    return true;
}

bool MousePipeline::startBorderDrag(MouseFlags flags, int x, int y, const GridMapping& g)
{
    InteractionState& s = editor_.state();
    if (!s.is(Tool::Select))
        return false;
    const model::DiagramSettings& st = editor_.diagram().settings;
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
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
    if (s.hover != Hover::TransitionEdge || !t.edgeHoverTest || !t.startEdgeDrag)
        return false;
    if (!s.is(Tool::Select) || s.selectionKind != SelectionKind::Signal || s.rectangle.dragging ||
        !g.cellInside(s.selectedCell) || !t.edgeHoverTest(x, y) || !t.startEdgeDrag(x, y))
        return false;
    editor_.selectRow(s.selectedRow);
    s.drag = {Drag::TransitionEdge, x, y, 0};
    return true;
}

bool MousePipeline::armHandleDrag(int x, int y)
{
    InteractionState& s = editor_.state();
    if (s.hover != Hover::HandleBegin && s.hover != Hover::HandleEnd && s.hover != Hover::HandleMiddle)
        return false;
    const bool arrow = s.selectionKind == SelectionKind::Arrow && list(editor_, model::ListId::Arrows).selection() >= 0;
    const bool label = s.selectionKind == SelectionKind::Label && list(editor_, model::ListId::Labels).selection() >= 0;
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
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
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
            const bool wholeColumn = editor_.ui().askYesNo(kColumnBreak, kColumnBreakTitle);
            editor_.takeSnapshot();
            if (wholeColumn) {
                for (int r = 1; r < g.signalCount(); ++r)
                    t.timeBreakClick(cell, r);
                editor_.takeSnapshot();
            }
        }
        return true;
    }
    return false;
}

bool MousePipeline::paintWithCellTool(int y, const GridMapping& g)
{
    InteractionState& s = editor_.state();
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
        floodPaint(editor_, row, cell);
    } else if (s.is(Tool::TriState)) {
        triStatePaint(editor_, row, cell);
    } else {
        bothPaint(editor_, row, cell, true);
        s.bothLastRow = row;
        s.bothLastCell = cell;
    }
    return true;
}

bool MousePipeline::placeText(MouseFlags flags, int x, int y)
{
    InteractionState& s = editor_.state();
    if (s.textPlacement != 1)
        return false;
    if (s.is(Tool::Draw)) {
        if (editor_.tools().createTextBox)
            editor_.tools().createTextBox(x, y);
        return true;
    }
    selectTextBox(flags, x, y);
    return true;
}

bool MousePipeline::selectTextBox(MouseFlags flags, int x, int y)
{
    InteractionState& s = editor_.state();
    const int hit = textBoxAt(editor_, x, y);
    if (hit < 0 || hit >= kSelectionFlags)
        return false;
    list(editor_, model::ListId::Texts).setSelection(hit);
    if (flags.ctrl) {
        s.textSelected[hit] = !s.textSelected[hit];
    } else if (!s.textSelected[hit]) {
        s.clearTextSelection();
        s.textSelected[hit] = true;
    }
    s.selectionKind = SelectionKind::TextBox;
    editor_.deselectRow();
    s.drag = {Drag::TextMove, x, y, 0};
    return true;
}

OverlapHits MousePipeline::annotationHits(int x, int y, int& timeBreak, int& arrow, int& label)
{
    const ToolEntryPoints& t = editor_.tools();
    OverlapHits hits;
    const model::RecordList& breaks = list(editor_, model::ListId::TimeBreaks);
    const int row = editor_.state().selectedRow;
    const int cell = editor_.state().selectedCell;
    model::ReaderReport ignored;
    for (int i = breaks.count() - 1; i >= 0 && timeBreak < 0; --i) {
        const std::string& r = breaks.get(i);
        if (model::fields::intField(r, 0) == cell && editor_.diagram().store.attachedSignal(r, ignored) == row)
            timeBreak = i;
    }
    if (t.arrowPath) {
        for (int i = list(editor_, model::ListId::Arrows).count() - 1; i >= 0 && arrow < 0; --i)
            if (onPathNear(t.arrowPath(i), {x, y}))
                arrow = i;
    }
    if (t.labelLines) {
        for (int i = list(editor_, model::ListId::Labels).count() - 1; i >= 0 && label < 0; --i)
            if (onPath(t.labelLines(i), {x, y}))
                label = i;
    }
    hits.timeBreak = timeBreak >= 0;
    hits.arrow = arrow >= 0;
    hits.label = label >= 0;
    hits.timeBreakSelected = breaks.selection() >= 0;
    hits.arrowSelected = list(editor_, model::ListId::Arrows).selection() >= 0;
    hits.labelSelected = list(editor_, model::ListId::Labels).selection() >= 0;
    return hits;
}

bool MousePipeline::selectAnnotation(int x, int y)
{
    InteractionState& s = editor_.state();
    int timeBreak = -1, arrow = -1, label = -1;
    const OverlapHits hits = annotationHits(x, y, timeBreak, arrow, label);
    const OverlapKind kind = s.is(Tool::Draw) ? OverlapKind::None : rotateOverlap(hits, s.overlapTurn);
    model::RecordList& breaks = list(editor_, model::ListId::TimeBreaks);
    model::RecordList& arrows = list(editor_, model::ListId::Arrows);
    model::RecordList& labels = list(editor_, model::ListId::Labels);
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
            if (const auto handle = handleAt(editor_.tools().arrowHandles, x, y)) {
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
            if (const auto handle = handleAt(editor_.tools().labelHandles, x, y)) {
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
    const model::ObjectStore& store = editor_.diagram().store;
    const model::RecordList& labels = store.list(model::ListId::Labels);
    const InteractionState& s = editor_.state();
    auto endOnClick = [&](const std::string& record, int cellField) {
        const auto name = model::fields::textField(record, cellField + 1);
        return model::fields::intField(record, cellField) == s.selectedCell && name &&
               store.findSignal(*name) == s.selectedRow;
    };
    for (int i = label - 1; i >= 0; --i) {
        const std::string& record = labels.get(i);
        if (endOnClick(record, 0) || endOnClick(record, 2) ||
            (editor_.tools().labelLines && onPath(editor_.tools().labelLines(i), {x, y})))
            return i;
    }
    return label;
}

void MousePipeline::cellStep(int x, int y, const GridMapping& g)
{
    InteractionState& s = editor_.state();
    clearAnnotationSelections();
    if (!s.is(Tool::Draw) && !s.is(Tool::TriState) && !s.is(Tool::Both)) {
        s.currentTool = Tool::Select;
        s.selectionKind = SelectionKind::Signal;
    }
    const int row = s.selectedRow;
    if (!g.cellInside(s.selectedCell)) {
        if (static_cast<int>(s.currentTool) == static_cast<int>(s.selectionKind)) {
            editor_.deselectRow();
            s.clearTextSelection();
        }
        return;
    }
    if (row < 0 || row >= g.signalCount()) {
        editor_.deselectRow();
        s.clearTextSelection();
        return;
    }
    editor_.selectRow(row);
    s.textPlacement = 0;
    s.selectionKind = SelectionKind::Signal;
    list(editor_, model::ListId::Texts).setSelection(-1);
    s.clearTextSelection();
    if (s.is(Tool::Draw)) {
        setLevelClick(editor_, row, s.selectedCell, g.inUpperHalf(row, y));
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
    InteractionState& s = editor_.state();
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
    InteractionState& s = editor_.state();
    s.clearTextSelection();
    if (!s.is(Tool::Select))
        return;
    const int row = g.rowAt(y);
    const bool onRow = row >= 0 && row < g.signalCount();
    if (onRow) {
        editor_.selectRow(row);
        s.selectedCell = 1;
        s.selectionKind = SelectionKind::Signal;
    } else {
        editor_.deselectRow();
    }
    // The diagram's bottom edge reaches into the name column, also just below the last row.
    if (near(y, g.bottom()) && flags.left) {
        s.drag = {Drag::BottomEdge, 0, y, 0};
    } else if (onRow && s.hover == Hover::NameMove) {
        s.drag = {Drag::SignalMove, 0, y, std::min(row, g.signalCount() - 1)};
        editor_.movePreview = render::MovePreview{s.drag.startValue, y, {}};
    }
}

// ---- Mouse move ----

void MousePipeline::move(MouseFlags flags, int x, int y)
{
    InteractionState& s = editor_.state();
    const int dx = x - s.lastX;
    const int dy = y - s.lastY;
    s.lastX = x;
    s.lastY = y;
    const GridMapping g = grid();
    if (moveBorderDrag(flags, x, y) || moveSignalMarker(flags, y)) {
        editor_.updateCursor();
        return;
    }
    updateHover(flags, x, y, g);
    bool changed = followRubberBand(x, y);
    if (!changed && flags.left && !flags.shift)
        changed = dragWithButton(flags, dx, dy, g);
    if (!changed)
        changed = extendRectangle(flags, x, y, g);
    if (changed)
        editor_.refresh();
    editor_.updateCursor();
}

bool MousePipeline::moveBorderDrag(MouseFlags flags, int x, int y)
{
    InteractionState& s = editor_.state();
    model::DiagramSettings& st = editor_.diagram().settings;
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
    editor_.refresh();
    return true;
}

bool MousePipeline::moveSignalMarker(MouseFlags flags, int y)
{
    InteractionState& s = editor_.state();
    if (s.drag.kind != Drag::SignalMove || !flags.left || !s.is(Tool::Select))
        return false;
    if (editor_.movePreview)
        editor_.movePreview->mouseY = y;
    editor_.refresh();
    return true;
}

void MousePipeline::updateHover(MouseFlags flags, int x, int y, const GridMapping& g)
{
    InteractionState& s = editor_.state();
    if (s.drag.kind == Drag::BottomEdge) {
        s.currentTool = Tool::Select;
        if (editor_.tools().openHeightWindow)
            editor_.tools().openHeightWindow();
        s.drag = {};
        return;
    }
    if (flags.left && !s.is(Tool::Select))
        return;
    const ToolEntryPoints& t = editor_.tools();
    const render::Layout& l = g.layout();
    const int origin = l.waveOriginX();
    const bool rows = g.signalCount() > 0;
    const auto handle = s.selectionKind == SelectionKind::Arrow ? handleAt(t.arrowHandles, x, y)
                        : s.selectionKind == SelectionKind::Label ? handleAt(t.labelHandles, x, y)
                                                                  : std::nullopt;
    Hover hover = Hover::None;
    const int text = textBoxAt(editor_, x, y);
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
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
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
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
    switch (s.drag.kind) {
    case Drag::ArrowMove:
        if (t.moveArrow && (dx != 0 || dy != 0)) {
            t.moveArrow(dx, dy);
            dragMoved_ = true;
        }
        return true;
    case Drag::TextMove:
        if (dx != 0 || dy != 0) {
            moveSelectedTextBoxes(editor_, dx, dy, TextMove::Drag);
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
    InteractionState& s = editor_.state();
    const auto band = g.bandRowAt(y);
    if (!band)
        return false;
    const int row = *band;
    const int cell = g.cellAt(x);
    if (!g.cellInside(cell))
        return false;
    switch (s.currentTool) {
    case Tool::Draw: return setLevelPaint(editor_, row, cell, g.inUpperHalf(row, y));
    case Tool::Flood: return floodPaint(editor_, row, cell);
    case Tool::TriState: return triStatePaint(editor_, row, cell);
    case Tool::Both:
        if (row == s.bothLastRow && cell == s.bothLastCell)
            return false;
        s.bothLastRow = row;
        s.bothLastCell = cell;
        return bothPaint(editor_, row, cell, false);
    default: return false;
    }
}

bool MousePipeline::followReplacement()
{
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
    if (s.drag.startValue == 1 && t.arrowRubberBand)
        t.arrowRubberBand(s.lastX, s.lastY);
    else if (s.drag.startValue == 0 && t.labelRubberBand)
        t.labelRubberBand(s.lastX, s.lastY);
    return true;
}

bool MousePipeline::extendRectangle(MouseFlags flags, int x, int y, const GridMapping& g)
{
    InteractionState& s = editor_.state();
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
    InteractionState& s = editor_.state();
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
            editor_.takeSnapshot();
    } else if (kind == Drag::ArrowMove) {
        endArrowMove();
    } else if (kind == Drag::TransitionEdge) {
        s.drag = {};
        editor_.takeSnapshot();
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
            editor_.takeSnapshot();
    }
    editor_.refresh();
    editor_.updateCursor();
}

void MousePipeline::abandon()
{
    if (pressed_ || editor_.state().drag.kind != Drag::None)
        release(MouseFlags{}, editor_.state().lastX, editor_.state().lastY);
}

bool MousePipeline::endBorderDrag(int x, int y)
{
    InteractionState& s = editor_.state();
    model::DiagramSettings& st = editor_.diagram().settings;
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
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
    s.drag = {};
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Arrow;
    if (!dragMoved_)
        return false;
    const bool floating = t.selectedArrowFloating && t.selectedArrowFloating();
    if (floating) {
        editor_.takeSnapshot();
        return true;
    }
    if (editor_.ui().askYesNo(kSnapQuestion, "")) {
        // Snapping turned off: the arrow stays where it was dropped.
        if (t.floatSelectedArrow)
            t.floatSelectedArrow();
        editor_.takeSnapshot();
        return true;
    }
    if (t.snapSelectedArrow)
        t.snapSelectedArrow();
    return false;
}

void MousePipeline::endSignalMove(int y, const GridMapping& g)
{
    InteractionState& s = editor_.state();
    const int start = s.drag.startValue;
    s.drag = {};
    editor_.movePreview.reset();
    const int up = g.rowWithinSignals(y + 2 * g.layout().signalHeight);
    const int down = g.rowWithinSignals(y);
    if (up != start) {
        editor_.selectRow(start);
        if (up < start) {
            for (int i = 0; i < start - up; ++i)
                moveSignal(editor_, -1, false);
        } else {
            for (int i = 0; i < down - start; ++i)
                moveSignal(editor_, +1, false);
        }
    }
    editor_.takeSnapshot();
}

void MousePipeline::endReplacement(int x, int y)
{
    InteractionState& s = editor_.state();
    const ToolEntryPoints& t = editor_.tools();
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
    InteractionState& s = editor_.state();
    if (s.is(Tool::Draw))
        return;
    const GridMapping g = grid();
    const int row = g.rowAt(y);
    const bool onRow = row >= 0 && row < g.signalCount();
    if (s.is(Tool::Select) && x < g.layout().waveOriginX() && onRow) {
        editor_.selectRow(row);
        if (editor_.tools().editSignalAttributes)
            editor_.tools().editSignalAttributes(row);
    } else if (s.is(Tool::Select) && s.selectionKind == SelectionKind::Signal) {
        s.rectangle.active = false;
        s.rectangle.dragging = false;
        if (onRow)
            editor_.selectRow(row);
    } else if (const int text = textBoxAt(editor_, x, y); text >= 0) {
        list(editor_, model::ListId::Texts).setSelection(text);
        if (editor_.tools().editTextAttributes)
            editor_.tools().editTextAttributes(text);
    }
    editor_.refresh();
}

} // namespace sigmora::edit
