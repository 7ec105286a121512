#include "edit/annotations/LabelTool.h"

#include <array>
#include <functional>
#include <memory>

#include "edit/annotations/AnnotationPoints.h"
#include "edit/annotations/ArrowTool.h"
#include "edit/session/CommandIds.h"
#include "edit/session/CurrentRecord.h"
#include "edit/session/Session.h"
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

model::RecordList& labels(Session& session)
{
    return session.diagram().store.list(model::ListId::Labels);
}

LabelFields currentLabel(const Session& session)
{
    const model::RecordList& list = session.diagram().store.list(model::ListId::Labels);
    return LabelFields::read(list.get(list.selection()));
}

void changeCurrentLabel(Session& session, const std::function<void(LabelFields&)>& change, bool snapshot)
{
    changeCurrentRecord<LabelFields>(session, model::ListId::Labels, change, snapshot);
}

// Left and Right move the end of the last pressed handle (both ends for the middle handle) one
// column, never below column 0.
void nudgeLabelEnds(Session& session, int dx)
{
    const Hover handle = session.state().lastHandle;
    changeCurrentLabel(
        session,
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
void captionPlace(const Session& session, const LabelFields& l, int& centreX, int& top)
{
    const model::Diagram& d = session.diagram();
    const AnchorPoint b = anchorPoint(d, model::fields::cAtoi(l.f[0]), d.store.findSignal(l.f[1]), l.number(labelfield::BeginAnchor));
    const AnchorPoint e = anchorPoint(d, model::fields::cAtoi(l.f[2]), d.store.findSignal(l.f[3]), l.number(labelfield::EndAnchor));
    const model::DiagramSettings& s = d.settings;
    const int y = b.y < e.y ? b.y + s.signalSpacing / 2 + s.signalHeight : b.y - s.signalSpacing / 2 - s.signalHeight;
    centreX = (b.x + e.x) / 2;
    top = y - (y % kCaptionRounding + kCaptionRounding) % kCaptionRounding;
}

// A new label's measure line goes above its begin anchor unless the end lies lower; on the first
// row that puts it on the diagram's frame, over the cycle labels. There it is placed below the
// anchors instead, as far below as it would have been above: the offset that does so.
int offsetClearOfTheFrame(const Session& session, const LabelFields& l)
{
    const model::Diagram& d = session.diagram();
    const AnchorPoint b = anchorPoint(d, model::fields::cAtoi(l.f[0]), d.store.findSignal(l.f[1]), l.number(labelfield::BeginAnchor));
    const AnchorPoint e = anchorPoint(d, model::fields::cAtoi(l.f[2]), d.store.findSignal(l.f[3]), l.number(labelfield::EndAnchor));
    const model::DiagramSettings& s = d.settings;
    if (b.y < e.y || b.y - s.signalSpacing / 2 - s.signalHeight >= s.topMargin)
        return 0;
    return s.signalSpacing + 2 * s.signalHeight;
}

void finishLabel(Session& session)
{
    InteractionState& s = session.state();
    s.labelStep = kStepIdle;
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Signal;
    session.deselectRow();
    s.textPlacement = 0;
    s.clearTextSelection();
    session.updateCursor();
    session.refresh();
    session.takeSnapshot();
}

bool labelClick(Session& session, LabelToolState& t, int cell, int row)
{
    InteractionState& s = session.state();
    const GridMapping g = GridMapping::of(session.diagram());
    const bool middle = s.labelStep == kStepMiddleHandle;
    if (!s.is(Tool::Label) || g.signalCount() == 0 || row < 0 || !g.cellInside(cell) ||
        (row >= g.signalCount() && !middle))
        return false;
    model::RecordList& list = labels(session);
    const std::string point = pointText(session.diagram(), cell, row, kBelowLastRow);
    if (s.labelStep >= kStepFirstPointPlaced && !hasCurrentRecord(session, model::ListId::Labels))
        s.labelStep = kStepIdle;
    if (s.labelStep == kStepIdle) {
        t.bandFrom = {s.lastX, s.lastY};
        int index = list.findExact(point);
        if (index < 0)
            index = list.append(point);
        list.setSelection(index);
        session.refresh();
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
        LabelFields made = LabelFields::read(list.get(index));
        if (const int offset = offsetClearOfTheFrame(session, made); offset != 0) {
            made.set(labelfield::Offset, offset);
            list.replace(index, made.write());
        }
        int centreX = 0;
        int top = 0;
        captionPlace(session, LabelFields::read(list.get(index)), centreX, top);
        addLabelCaption(session, index, centreX, top);
        list.setSelection(index);
    }
    session.diagram().modified = true;
    if (++s.labelStep > kStepFirstPointPlaced)
        finishLabel(session);
    return true;
}

void startReplacement(Session& session, LabelToolState& t)
{
    InteractionState& s = session.state();
    if (t.replacing || !hasCurrentRecord(session, model::ListId::Labels) || s.drag.handle == Hover::HandleMiddle)
        return;
    const bool beginDragged = s.drag.handle == Hover::HandleBegin;
    const int index = labels(session).selection();
    t.keptRecord = labels(session).get(index);
    t.kept = LabelFields::read(t.keptRecord);
    t.keptIsBegin = !beginDragged;
    t.replacing = true;
    if (const render::LabelHit* drawn = session.annotationHits().label(index))
        t.bandFrom = beginDragged ? drawn->end : drawn->begin;
    else
        t.bandFrom = {s.drag.anchorX, s.drag.anchorY};
    const LabelFields& k = t.kept;
    labels(session).replace(labels(session).selection(), beginDragged ? k.f[2] + "." + k.f[3] + "." : k.f[0] + "." + k.f[1] + ".");
    s.labelStep = kStepFirstPointPlaced;
    s.currentTool = Tool::Label;
}

void addLabelChoice(Session& session, int command, int field, int value, bool snapshot)
{
    session.commands().add(
        command,
        [&session, field, value, snapshot] {
            changeCurrentLabel(session, [field, value](LabelFields& l) { l.set(field, value); }, snapshot);
        },
        [&session, field, value](CommandState& st) { st.checked = currentLabel(session).number(field) == value; });
}

void addHeadItem(Session& session, int command, int head)
{
    session.commands().add(
        command,
        [&session, head] {
            if (arrowPropertiesActive(session))
                changeArrowHead(session, head);
            else
                changeCurrentLabel(session, [head](LabelFields& l) { l.set(labelfield::Head, head); }, true);
        },
        [&session, head](CommandState& st) {
            const auto arrowHead = currentArrowHead(session);
            st.checked = arrowHead ? *arrowHead == head : currentLabel(session).number(labelfield::Head) == head;
        });
}

void editColour(Session& session)
{
    if (arrowPropertiesActive(session)) {
        editArrowColour(session);
        return;
    }
    if (!hasCurrentRecord(session, model::ListId::Labels))
        return;
    const model::Colour now = model::fields::cAtoul(currentLabel(session).f[labelfield::Colour]);
    if (const auto colour = session.ui().chooseColour(now))
        changeCurrentLabel(session, [c = *colour](LabelFields& l) { l.set(labelfield::Colour, c); }, true);
}

bool timeBreakClick(Session& session, int cell, int row)
{
    const GridMapping g = GridMapping::of(session.diagram());
    if (!session.state().is(Tool::TimeBreak) || row < 0 || row >= g.signalCount() || !g.cellInside(cell))
        return false;
    model::RecordList& breaks = session.diagram().store.list(model::ListId::TimeBreaks);
    const std::string text = pointText(session.diagram(), cell, row);
    if (breaks.findPrefix(text) < 0)
        breaks.setSelection(breaks.append(text));
    session.diagram().modified = true;
    session.refresh();
    return true;
}

} // namespace

void registerLabelTool(Session& session)
{
    auto state = std::make_shared<LabelToolState>();
    ToolEntryPoints& t = session.tools();
    t.labelClick = [&session, state](int cell, int row) { return labelClick(session, *state, cell, row); };
    t.labelRubberBand = [&session, state](int x, int y) {
        if (session.state().labelStep == kStepMiddleHandle) {
            session.labelDragY = y;
            return;
        }
        if (session.state().drag.kind == Drag::EndReplacement)
            startReplacement(session, *state);
        session.rubberBand = render::Piece{state->bandFrom, {x, y}};
    };
    t.replaceLabelEnd = [&session, state](int x, int y) {
        if (!state->replacing)
            return false;
        const GridMapping g = GridMapping::of(session.diagram());
        if (labelClick(session, *state, g.cellAt(x), g.rowAt(y)))
            return true;
        // Dropped where no end can go: the label goes back to what it was.
        if (hasCurrentRecord(session, model::ListId::Labels))
            labels(session).replace(labels(session).selection(), state->keptRecord);
        state->replacing = false;
        session.state().labelStep = kStepIdle;
        session.state().currentTool = Tool::Select;
        session.state().selectionKind = SelectionKind::Label;
        session.refresh();
        return false;
    };
    t.moveLabelMiddle = [&session](int dy) {
        // The caption follows through the label's offset, which its drawing adds.
        changeCurrentLabel(session, [dy](LabelFields& l) { l.set(labelfield::Offset, l.number(labelfield::Offset) + dy); }, true);
        session.state().currentTool = Tool::Select;
        session.state().selectionKind = SelectionKind::Label;
    };
    t.nudgeLabel = [&session](int dx, int dy) {
        if (session.state().labelInProgress())
            return; // the current record is a half-made label or an end being re-placed
        if (dy != 0)
            changeCurrentLabel(session, [dy](LabelFields& l) { l.set(labelfield::Offset, l.number(labelfield::Offset) + (dy > 0 ? 1 : -1)); }, false);
        else if (dx != 0)
            nudgeLabelEnds(session, dx > 0 ? 1 : -1);
    };

    for (int i = 0; i < 9; ++i) {
        addLabelChoice(session, cmd::kLabelSnapBegin[i], labelfield::BeginAnchor, kSnapAnchors[i], false);
        addLabelChoice(session, cmd::kLabelSnapEnd[i], labelfield::EndAnchor, kSnapAnchors[i], false);
    }
    addLabelChoice(session, cmd::ctx::PointInside, labelfield::Inward, 1, true);
    addLabelChoice(session, cmd::ctx::PointOutside, labelfield::Inward, 0, true);
    addLabelChoice(session, cmd::ctx::CrossingYes, labelfield::Crossing, 1, false);
    addLabelChoice(session, cmd::ctx::CrossingNo, labelfield::Crossing, 0, false);
    addHeadItem(session, cmd::ctx::HeadBegin, 1);
    addHeadItem(session, cmd::ctx::HeadEnd, 0);
    addHeadItem(session, cmd::ctx::HeadBoth, 2);
    addHeadItem(session, cmd::ctx::HeadNone, 3);
    session.commands().add(cmd::ctx::EditArrowColour, [&session] { editColour(session); });
}

void registerTimeBreakTool(Session& session)
{
    session.tools().timeBreakClick = [&session](int cell, int row) { return timeBreakClick(session, cell, row); };
}

} // namespace sigmora::edit
