#include "edit/annotations/LabelTool.h"

#include <array>
#include <functional>
#include <memory>

#include "edit/annotations/AnnotationPoints.h"
#include "edit/annotations/ArrowTool.h"
#include "edit/session/CommandIds.h"
#include "edit/session/CurrentRecord.h"
#include "edit/Editor.h"
#include "edit/grid/GridMapping.h"
#include "edit/annotations/TextCommands.h"
#include "model/RecordFields.h"

namespace sigmora::edit {

namespace {

constexpr const char* kBelowLastRow = "blank";
constexpr int kSnapAnchors[] = {4, 6, 2, 8, 0, 9, 3, 7, 5};
constexpr int kCaptionRounding = 4;
constexpr int kLabelFields = 12;

// Field numbers of a label record.
namespace labelfield {
constexpr int Head = 4;
constexpr int Colour = 5;
constexpr int Offset = 6;
constexpr int Inward = 7;
constexpr int BeginAnchor = 9;
constexpr int EndAnchor = 10;
constexpr int Crossing = 11;
} // namespace labelfield

// A label record split into its twelve fields.
struct LabelFields {
    std::array<std::string, kLabelFields> f;

    static LabelFields read(std::string_view record)
    {
        LabelFields l;
        for (int i = 0; i < kLabelFields; ++i)
            l.f[static_cast<size_t>(i)] = std::string(model::fields::textField(record, i).value_or(std::string_view{}));
        return l;
    }
    std::string write() const
    {
        std::string out;
        for (const std::string& v : f)
            out += v + ".";
        return out;
    }
    int number(int n) const { return model::fields::cAtoi(f[static_cast<size_t>(n)]); }
    void set(int n, long long v) { f[static_cast<size_t>(n)] = std::to_string(v); }
};

struct LabelToolState {
    bool replacing = false;
    bool keptIsBegin = true;
    LabelFields kept;
    std::string keptRecord;  // the whole label before its end was taken up
    render::Point bandFrom;  // where the rubber band starts, in window pixels
};

model::RecordList& labels(Editor& editor)
{
    return editor.diagram().store.list(model::ListId::Labels);
}

LabelFields currentLabel(const Editor& editor)
{
    const model::RecordList& list = editor.diagram().store.list(model::ListId::Labels);
    return LabelFields::read(list.get(list.selection()));
}

void changeCurrentLabel(Editor& editor, const std::function<void(LabelFields&)>& change, bool snapshot)
{
    changeCurrentRecord<LabelFields>(editor, model::ListId::Labels, change, snapshot);
}

// Left and Right move the end of the last pressed handle (both ends for the middle handle) one
// column, never below column 0.
void nudgeLabelEnds(Editor& editor, int dx)
{
    const Hover handle = editor.state().lastHandle;
    changeCurrentLabel(
        editor,
        [dx, handle](LabelFields& l) {
            for (int cellField : {0, 2}) {
                const bool chosen = handle == Hover::HandleMiddle || (cellField == 0) == (handle == Hover::HandleBegin);
                if (chosen && l.number(cellField) + dx >= 0)
                    l.set(cellField, l.number(cellField) + dx);
            }
        },
        false);
}

// The caption's place: centred between the two anchors, at the measure line rounded down to a
// multiple of 4, in diagram coordinates.
void captionPlace(const Editor& editor, const LabelFields& l, int& centreX, int& top)
{
    const model::Diagram& d = editor.diagram();
    const AnchorPoint b = anchorPoint(d, model::fields::cAtoi(l.f[0]), d.store.findSignal(l.f[1]), l.number(labelfield::BeginAnchor));
    const AnchorPoint e = anchorPoint(d, model::fields::cAtoi(l.f[2]), d.store.findSignal(l.f[3]), l.number(labelfield::EndAnchor));
    const model::DiagramSettings& s = d.settings;
    const int y = b.y < e.y ? b.y + s.signalSpacing / 2 + s.signalHeight : b.y - s.signalSpacing / 2 - s.signalHeight;
    centreX = (b.x + e.x) / 2;
    top = y - (y % kCaptionRounding + kCaptionRounding) % kCaptionRounding;
}

void finishLabel(Editor& editor)
{
    InteractionState& s = editor.state();
    s.labelStep = kStepIdle;
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    editor.deselectRow();
    s.textPlacement = 0;
    s.clearTextSelection();
    editor.updateCursor();
    editor.refresh();
    editor.takeSnapshot();
}

bool labelClick(Editor& editor, LabelToolState& t, int cell, int row)
{
    InteractionState& s = editor.state();
    const GridMapping g = GridMapping::of(editor.diagram());
    const bool middle = s.labelStep == kStepMiddleHandle;
    if (!s.is(Tool::Label) || g.signalCount() == 0 || row < 0 || !g.cellInside(cell) ||
        (row >= g.signalCount() && !middle))
        return false;
    model::RecordList& list = labels(editor);
    const std::string point = pointText(editor.diagram(), cell, row, kBelowLastRow);
    if (s.labelStep >= kStepFirstPointPlaced && !hasCurrentRecord(editor, model::ListId::Labels))
        s.labelStep = kStepIdle;
    if (s.labelStep == kStepIdle) {
        t.bandFrom = {s.lastX, s.lastY};
        int index = list.findExact(point);
        if (index < 0)
            index = list.append(point);
        list.setSelection(index);
        editor.refresh();
    } else if (t.replacing) {
        LabelFields l = t.kept;
        const LabelFields p = LabelFields::read(point);
        const size_t at = t.keptIsBegin ? 2 : 0;
        l.f[at] = p.f[0];
        l.f[at + 1] = p.f[1];
        list.replace(list.selection(), l.write());
        t.replacing = false;
    } else {
        const int index = list.selection();
        list.replace(index, list.get(index) + point + "2.0.0." + (s.labelArrowsInward == 1 ? "1." : "0.") + "0.0.0.1.");
        int centreX = 0;
        int top = 0;
        captionPlace(editor, LabelFields::read(list.get(index)), centreX, top);
        addLabelCaption(editor, index, centreX, top);
        list.setSelection(index);
    }
    editor.diagram().modified = true;
    if (++s.labelStep > kStepFirstPointPlaced)
        finishLabel(editor);
    return true;
}

void startReplacement(Editor& editor, LabelToolState& t)
{
    InteractionState& s = editor.state();
    if (t.replacing || !hasCurrentRecord(editor, model::ListId::Labels) || s.drag.handle == Hover::HandleMiddle)
        return;
    const bool beginDragged = s.drag.handle == Hover::HandleBegin;
    const int index = labels(editor).selection();
    t.keptRecord = labels(editor).get(index);
    t.kept = LabelFields::read(t.keptRecord);
    t.keptIsBegin = !beginDragged;
    t.replacing = true;
    if (const render::LabelHit* drawn = editor.annotationHits().label(index))
        t.bandFrom = beginDragged ? drawn->end : drawn->begin;
    else
        t.bandFrom = {s.drag.anchorX, s.drag.anchorY};
    const LabelFields& k = t.kept;
    labels(editor).replace(labels(editor).selection(), beginDragged ? k.f[2] + "." + k.f[3] + "." : k.f[0] + "." + k.f[1] + ".");
    s.labelStep = kStepFirstPointPlaced;
    s.currentTool = Tool::Label;
}

void addLabelChoice(Editor& editor, int command, int field, int value, bool snapshot)
{
    editor.commands().add(
        command,
        [&editor, field, value, snapshot] {
            changeCurrentLabel(editor, [field, value](LabelFields& l) { l.set(field, value); }, snapshot);
        },
        [&editor, field, value](CommandState& st) { st.checked = currentLabel(editor).number(field) == value; });
}

void addHeadItem(Editor& editor, int command, int head)
{
    editor.commands().add(
        command,
        [&editor, head] {
            if (arrowPropertiesActive(editor))
                changeArrowHead(editor, head);
            else
                changeCurrentLabel(editor, [head](LabelFields& l) { l.set(labelfield::Head, head); }, true);
        },
        [&editor, head](CommandState& st) {
            const auto arrowHead = currentArrowHead(editor);
            st.checked = arrowHead ? *arrowHead == head : currentLabel(editor).number(labelfield::Head) == head;
        });
}

void editColour(Editor& editor)
{
    if (arrowPropertiesActive(editor)) {
        editArrowColour(editor);
        return;
    }
    if (!hasCurrentRecord(editor, model::ListId::Labels))
        return;
    const model::Colour now = model::fields::cAtoul(currentLabel(editor).f[labelfield::Colour]);
    if (const auto colour = editor.ui().chooseColour(now))
        changeCurrentLabel(editor, [c = *colour](LabelFields& l) { l.set(labelfield::Colour, c); }, true);
}

bool timeBreakClick(Editor& editor, int cell, int row)
{
    const GridMapping g = GridMapping::of(editor.diagram());
    if (!editor.state().is(Tool::TimeBreak) || row < 0 || row >= g.signalCount() || !g.cellInside(cell))
        return false;
    model::RecordList& breaks = editor.diagram().store.list(model::ListId::TimeBreaks);
    const std::string text = pointText(editor.diagram(), cell, row);
    if (breaks.findPrefix(text) < 0)
        breaks.setSelection(breaks.append(text));
    editor.diagram().modified = true;
    editor.refresh();
    return true;
}

} // namespace

void registerLabelTool(Editor& editor)
{
    auto state = std::make_shared<LabelToolState>();
    ToolEntryPoints& t = editor.tools();
    t.labelClick = [&editor, state](int cell, int row) { return labelClick(editor, *state, cell, row); };
    t.labelRubberBand = [&editor, state](int x, int y) {
        if (editor.state().labelStep == kStepMiddleHandle) {
            editor.labelDragY = y;
            return;
        }
        if (editor.state().drag.kind == Drag::EndReplacement)
            startReplacement(editor, *state);
        editor.rubberBand = render::Piece{state->bandFrom, {x, y}};
    };
    t.replaceLabelEnd = [&editor, state](int x, int y) {
        if (!state->replacing)
            return false;
        const GridMapping g = GridMapping::of(editor.diagram());
        if (labelClick(editor, *state, g.cellAt(x), g.rowAt(y)))
            return true;
        // Dropped where no end can go: the label goes back to what it was.
        if (hasCurrentRecord(editor, model::ListId::Labels))
            labels(editor).replace(labels(editor).selection(), state->keptRecord);
        state->replacing = false;
        editor.state().labelStep = kStepIdle;
        editor.state().currentTool = Tool::Select;
        editor.state().selectionKind = SelectionKind::Label;
        editor.refresh();
        return false;
    };
    t.moveLabelMiddle = [&editor](int dy) {
        // The caption follows through the label's offset, which its drawing adds.
        changeCurrentLabel(editor, [dy](LabelFields& l) { l.set(labelfield::Offset, l.number(labelfield::Offset) + dy); }, true);
        editor.state().currentTool = Tool::Select;
        editor.state().selectionKind = SelectionKind::Label;
    };
    t.nudgeLabel = [&editor](int dx, int dy) {
        if (editor.state().labelInProgress())
            return; // the current record is a half-made label or an end being re-placed
        if (dy != 0)
            changeCurrentLabel(editor, [dy](LabelFields& l) { l.set(labelfield::Offset, l.number(labelfield::Offset) + (dy > 0 ? 1 : -1)); }, true);
        else if (dx != 0)
            nudgeLabelEnds(editor, dx > 0 ? 1 : -1);
    };

    for (int i = 0; i < 9; ++i) {
        addLabelChoice(editor, cmd::kLabelSnapBegin[i], labelfield::BeginAnchor, kSnapAnchors[i], false);
        addLabelChoice(editor, cmd::kLabelSnapEnd[i], labelfield::EndAnchor, kSnapAnchors[i], false);
    }
    addLabelChoice(editor, cmd::ctx::PointInside, labelfield::Inward, 1, true);
    addLabelChoice(editor, cmd::ctx::PointOutside, labelfield::Inward, 0, true);
    addLabelChoice(editor, cmd::ctx::CrossingYes, labelfield::Crossing, 1, false);
    addLabelChoice(editor, cmd::ctx::CrossingNo, labelfield::Crossing, 0, false);
    addHeadItem(editor, cmd::ctx::HeadBegin, 1);
    addHeadItem(editor, cmd::ctx::HeadEnd, 0);
    addHeadItem(editor, cmd::ctx::HeadBoth, 2);
    addHeadItem(editor, cmd::ctx::HeadNone, 3);
    editor.commands().add(cmd::ctx::EditArrowColour, [&editor] { editColour(editor); });
}

void registerTimeBreakTool(Editor& editor)
{
    editor.tools().timeBreakClick = [&editor](int cell, int row) { return timeBreakClick(editor, cell, row); };
}

} // namespace sigmora::edit
