#include "edit/annotations/ArrowTool.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

#include "edit/annotations/AnnotationPoints.h"
#include "edit/annotations/ArrowRecord.h"
#include "edit/session/CommandIds.h"
#include "edit/session/CurrentRecord.h"
#include "edit/session/Session.h"
#include "edit/grid/GridMapping.h"
#include "model/RecordFields.h"

namespace sigmora::edit {

namespace {

// Anchor codes of the nine "Snap to Grid" items, top to bottom.
constexpr int kSnapAnchors[] = {4, 6, 2, 8, 0, 9, 3, 7, 5};
constexpr int kNudgeStep = 5;    // pixels a floating end moves per arrow key (1 with Alt)
constexpr int kLastNudgeColumn = 255;

// What the arrow tool keeps between its clicks and while an end is re-placed.
struct ArrowToolState {
    int startX = 0; // the first point, unscrolled
    int startY = 0;
    bool replacing = false;
    bool moving = false; // an arrow move has taken the drawn ends
    bool keptIsBegin = true; // the end that stays
    ArrowRecord kept;
    std::string keptRecord;  // the whole arrow before its end was taken up
    render::Point bandFrom;  // where the rubber band starts, in window pixels
};

model::RecordList& arrows(Session& session)
{
    return session.diagram().store.list(model::ListId::Arrows);
}

void finishArrow(Session& session)
{
    InteractionState& s = session.state();
    s.arrowStep = kStepIdle;
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Arrow;
    session.updateCursor();
    session.refresh();
    session.takeSnapshot();
}

bool pointAccepted(Session& session, int cell, int row)
{
    const GridMapping g = GridMapping::of(session.diagram());
    if (g.signalCount() == 0)
        return false;
    if (session.state().floatingArrow == 1)
        return true;
    return row >= 0 && row < g.signalCount() && g.cellInside(cell);
}

// The second point of a re-placed end: the kept end, the new point and the kept values.
void completeReplacement(Session& session, ArrowToolState& t, int cell, int row, int x, int y)
{
    const render::Layout l = render::Layout::from(session.diagram().settings);
    ArrowRecord a = t.kept;
    const std::string point = pointText(session.diagram(), cell, row);
    const std::string cellText = point.substr(0, point.find('.'));
    const std::string name = point.substr(cellText.size() + 1, point.size() - cellText.size() - 2);
    const int nx = unscrolledX(l, roundToFive(x));
    const int ny = unscrolledY(l, roundToFive(y));
    if (t.keptIsBegin) {
        a.endCell = cellText;
        a.endName = name;
        a.x2 = nx;
        a.y2 = ny;
    } else {
        a.beginCell = cellText;
        a.beginName = name;
        a.x1 = nx;
        a.y1 = ny;
    }
    arrows(session).replace(arrows(session).selection(), a.write());
    t.replacing = false;
}

bool arrowClick(Session& session, ArrowToolState& t, int cell, int row, int x, int y)
{
    InteractionState& s = session.state();
    if (!s.is(Tool::Arrow) || !pointAccepted(session, cell, row))
        return false;
    model::Diagram& diagram = session.diagram();
    const render::Layout l = render::Layout::from(diagram.settings);
    model::RecordList& list = arrows(session);
    const std::string point = pointText(diagram, cell, row);
    if (s.arrowStep == kStepFirstPointPlaced && !hasCurrentRecord(session, model::ListId::Arrows))
        s.arrowStep = kStepIdle; // its half-made record went away: start again
    if (s.arrowStep != kStepFirstPointPlaced) {
        t.startX = unscrolledX(l, x);
        t.startY = unscrolledY(l, y);
        t.bandFrom = {x, y};
        int index = list.findExact(point);
        if (index < 0)
            index = list.append(point);
        list.setSelection(index);
        session.refresh();
    } else if (t.replacing) {
        completeReplacement(session, t, cell, row, x, y);
    } else {
        const bool floating = s.floatingArrow == 1;
        char coordinates[64];
        std::snprintf(coordinates, sizeof coordinates, "%d.%d.%d.%d.", t.startX, t.startY, unscrolledX(l, x),
                      unscrolledY(l, y));
        std::string record = list.get(list.selection()) + point + "0.0." +
                             std::to_string(static_cast<int>(s.arrowShape)) + "." +
                             std::to_string(diagram.settings.angledWireDirection) + "." +
                             (floating ? "1.1." : "0.0.") + coordinates;
        list.replace(list.selection(), record);
    }
    diagram.modified = true;
    if (++s.arrowStep > kStepFirstPointPlaced)
        finishArrow(session);
    return true;
}

// The first move of a pressed begin or end handle turns the arrow back into a half-made one that
// holds only the other end.
void startReplacement(Session& session, ArrowToolState& t)
{
    InteractionState& s = session.state();
    if (t.replacing || !hasCurrentRecord(session, model::ListId::Arrows))
        return;
    const bool beginDragged = s.drag.handle == Hover::HandleBegin;
    const int index = arrows(session).selection();
    t.keptRecord = arrows(session).get(index);
    t.kept = ArrowRecord::read(t.keptRecord);
    t.keptIsBegin = !beginDragged;
    t.replacing = true;
    if (const render::ArrowHit* drawn = session.annotationHits().arrow(index))
        t.bandFrom = beginDragged ? drawn->end : drawn->begin;
    else
        t.bandFrom = {s.drag.anchorX, s.drag.anchorY};
    arrows(session).replace(arrows(session).selection(), beginDragged ? t.kept.endPoint() : t.kept.beginPoint());
    s.arrowStep = kStepFirstPointPlaced;
    s.currentTool = Tool::Arrow;
}

// Drawn ends of the current arrow, unscrolled, for its move and for the snap toggle.
void takeDrawnEnds(Session& session, ArrowRecord& a)
{
    const model::Diagram& d = session.diagram();
    if (a.beginAnchor != kAnchorFloating) {
        const AnchorPoint p = anchorPoint(d, model::fields::cAtoi(a.beginCell), d.store.findSignal(a.beginName), a.beginAnchor);
        a.x1 = p.x;
        a.y1 = p.y;
    }
    if (a.endAnchor != kAnchorFloating) {
        const AnchorPoint p = anchorPoint(d, model::fields::cAtoi(a.endCell), d.store.findSignal(a.endName), a.endAnchor);
        a.x2 = p.x;
        a.y2 = p.y;
    }
}

// A re-placed end dropped where no end can go: the arrow goes back to what it was.
void restoreReplacedArrow(Session& session, ArrowToolState& t)
{
    InteractionState& s = session.state();
    if (hasCurrentRecord(session, model::ListId::Arrows))
        arrows(session).replace(arrows(session).selection(), t.keptRecord);
    t.replacing = false;
    s.arrowStep = kStepIdle;
    s.currentTool = Tool::Select;
    s.selectionKind = SelectionKind::Arrow;
    session.refresh();
}

// The next multiple of step below or above v (dx -1 or 1); by exactly 1 with a step of 1.
int nextMultiple(int v, int direction, int step)
{
    const int below = v >= 0 ? v / step * step : -((-v + step - 1) / step * step);
    if (direction > 0)
        return below + step;
    return below == v ? v - step : below;
}

// One end of an arrow moved by the arrow keys: a floating end by pixels, an anchored end by one
// signal row (up or down) or one column (left or right), never off the rows or columns.
void nudgeEnd(const model::Diagram& d, std::string& cell, std::string& name, int anchor, int& x, int& y, int dx,
              int dy, int step)
{
    if (anchor == kAnchorFloating) {
        if (dx != 0)
            x = nextMultiple(x, dx, step);
        if (dy != 0)
            y = nextMultiple(y, dy, step);
        return;
    }
    const int column = model::fields::cAtoi(cell) + dx;
    if (dx != 0 && column >= 0 && column <= kLastNudgeColumn)
        cell = std::to_string(column);
    const int row = d.store.findSignal(name) + dy;
    if (dy != 0 && row >= 0 && row < d.store.signalCount() && d.store.findSignal(name) >= 0)
        name = std::string(model::fields::nameOfRow(d.store.signals().get(row)));
}

void changeCurrentArrow(Session& session, const std::function<void(ArrowRecord&)>& change, bool snapshot)
{
    changeCurrentRecord<ArrowRecord>(session, model::ListId::Arrows, change, snapshot);
}

void snapToggle(Session& session)
{
    changeCurrentArrow(
        session,
        [&session](ArrowRecord& a) {
            const model::Diagram& d = session.diagram();
            if (a.beginAnchor == kAnchorFloating && a.endAnchor == kAnchorFloating) {
                const render::Layout l = render::Layout::from(d.settings);
                render::Layout unscrolled = l;
                unscrolled.firstVisibleCell = 0;
                unscrolled.verticalScroll = 0;
                const int last = d.store.signalCount() - 1;
                auto rowOf = [&](int y) { return std::clamp(unscrolled.rowAt(y), 0, std::max(0, last)); };
                auto nameOf = [&](int row) { return std::string(model::fields::nameOfRow(d.store.signals().get(row))); };
                a.beginCell = std::to_string(l.cellWidth > 0 ? (a.x1 - l.waveOriginX()) / l.cellWidth : 0);
                a.endCell = std::to_string(l.cellWidth > 0 ? (a.x2 - l.waveOriginX()) / l.cellWidth : 0);
                a.beginName = nameOf(rowOf(a.y1));
                a.endName = nameOf(rowOf(a.y2));
                a.beginAnchor = kAnchorCentre;
                a.endAnchor = kAnchorCentre;
            } else {
                takeDrawnEnds(session, a);
                a.beginAnchor = kAnchorFloating;
                a.endAnchor = kAnchorFloating;
            }
        },
        false);
}

bool arrowActive(const Session& session)
{
    const InteractionState& s = session.state();
    return s.is(Tool::Arrow) || s.selectionKind == SelectionKind::Arrow;
}

bool labelActive(const Session& session)
{
    const InteractionState& s = session.state();
    return s.is(Tool::Label) || s.selectionKind == SelectionKind::Label;
}

ArrowRecord currentArrow(const Session& session)
{
    const model::RecordList& list = session.diagram().store.list(model::ListId::Arrows);
    return ArrowRecord::read(list.get(list.selection()));
}

void addAnchorItems(Session& session, const int (&commands)[9], bool begin)
{
    for (int i = 0; i < 9; ++i) {
        const int code = kSnapAnchors[i];
        session.commands().add(
            commands[i],
            [&session, code, begin] {
                changeCurrentArrow(session, [code, begin](ArrowRecord& a) { (begin ? a.beginAnchor : a.endAnchor) = code; }, false);
            },
            [&session, code, begin](CommandState& st) {
                const ArrowRecord a = currentArrow(session);
                st.enabled = !(a.beginAnchor == kAnchorFloating && a.endAnchor == kAnchorFloating);
                st.checked = st.enabled && (begin ? a.beginAnchor : a.endAnchor) == code;
            });
    }
}

void addStyleItem(Session& session, int command, int kind)
{
    session.commands().add(
        command, [&session, kind] { changeCurrentArrow(session, [kind](ArrowRecord& a) { a.kind = kind; }, false); },
        [&session, kind](CommandState& st) {
            st.enabled = !labelActive(session);
            st.checked = st.enabled && currentArrow(session).kind == kind;
        });
}

} // namespace

// The arrowhead and colour items serve labels too; they are registered with the label tool.
void changeArrowHead(Session& session, int head)
{
    changeCurrentArrow(session, [head](ArrowRecord& a) { a.head = head; }, true);
}

std::optional<int> currentArrowHead(const Session& session)
{
    if (!arrowActive(session))
        return std::nullopt;
    return currentArrow(session).head;
}

void editArrowColour(Session& session)
{
    if (!hasCurrentRecord(session, model::ListId::Arrows))
        return;
    if (const auto colour = session.ui().chooseColour(currentArrow(session).colour))
        changeCurrentArrow(session, [c = *colour](ArrowRecord& a) { a.colour = c; }, true);
}

bool arrowPropertiesActive(const Session& session)
{
    return arrowActive(session);
}

void registerArrowTool(Session& session)
{
    auto state = std::make_shared<ArrowToolState>();
    ToolEntryPoints& t = session.tools();
    t.arrowClick = [&session, state](int cell, int row, int x, int y) { return arrowClick(session, *state, cell, row, x, y); };
    t.arrowRubberBand = [&session, state](int x, int y) {
        if (session.state().drag.kind == Drag::EndReplacement)
            startReplacement(session, *state);
        session.rubberBand = render::Piece{state->bandFrom, {x, y}};
    };
    t.replaceArrowEnd = [&session, state](int x, int y) {
        if (!state->replacing)
            return false;
        const GridMapping g = GridMapping::of(session.diagram());
        session.state().currentTool = Tool::Arrow;
        if (arrowClick(session, *state, g.cellAt(x), g.rowAt(y), x, y))
            return true;
        restoreReplacedArrow(session, *state);
        return false;
    };
    t.floatSelectedArrow = [&session] {
        changeCurrentArrow(
            session,
            [](ArrowRecord& a) {
                a.beginAnchor = kAnchorFloating;
                a.endAnchor = kAnchorFloating;
            },
            false);
    };
    t.nudgeArrow = [&session](int dx, int dy) {
        const InteractionState& s = session.state();
        if (s.arrowInProgress())
            return; // the current record is a half-made arrow or an end being re-placed
        const int step = s.fineStep ? 1 : kNudgeStep;
        const bool begin = s.lastHandle != Hover::HandleEnd;
        const bool end = s.lastHandle != Hover::HandleBegin;
        changeCurrentArrow(
            session,
            [&session, dx, dy, step, begin, end](ArrowRecord& a) {
                const model::Diagram& d = session.diagram();
                if (begin)
                    nudgeEnd(d, a.beginCell, a.beginName, a.beginAnchor, a.x1, a.y1, dx, dy, step);
                if (end)
                    nudgeEnd(d, a.endCell, a.endName, a.endAnchor, a.x2, a.y2, dx, dy, step);
            },
            false);
    };
    t.selectedArrowFloating = [&session, state] {
        state->moving = false;
        const ArrowRecord a = currentArrow(session);
        return a.beginAnchor == kAnchorFloating || a.endAnchor == kAnchorFloating;
    };
    t.snapSelectedArrow = [&session] { snapToggle(session); };
    t.moveArrow = [&session, state](int dx, int dy) {
        const bool first = !state->moving;
        state->moving = true;
        changeCurrentArrow(
            session,
            [&session, dx, dy, first](ArrowRecord& a) {
                if (first)
                    takeDrawnEnds(session, a);
                a.x1 += dx;
                a.y1 += dy;
                a.x2 += dx;
                a.y2 += dy;
                // An anchored arrow is drawn at its anchors; a line shows where it is dragged.
                const render::Layout l = render::Layout::from(session.diagram().settings);
                const int left = l.cellWidth * l.firstVisibleCell;
                const int up = l.rowPitch() * l.firstVisibleSignal();
                session.rubberBand = render::Piece{{a.x1 - left, a.y1 - up}, {a.x2 - left, a.y2 - up}};
            },
            false);
    };

    CommandRegistry& r = session.commands();
    r.add(cmd::ctx::SnapOn, [&session] { snapToggle(session); },
          [&session](CommandState& st) {
              st.enabled = !labelActive(session);
              const ArrowRecord a = currentArrow(session);
              st.checked = st.enabled && !(a.beginAnchor == kAnchorFloating && a.endAnchor == kAnchorFloating);
          });
    addAnchorItems(session, cmd::kArrowSnapBegin, true);
    addAnchorItems(session, cmd::kArrowSnapEnd, false);
    for (int direction : {0, 1}) {
        r.add(
            direction == 0 ? cmd::AngledWireLeft : cmd::AngledWireRight,
            [&session, direction] { session.diagram().settings.angledWireDirection = direction; },
            [&session, direction](CommandState& st) { st.checked = session.diagram().settings.angledWireDirection == direction; });
    }
    addStyleItem(session, cmd::ctx::StyleBezier, 0);
    addStyleItem(session, cmd::ctx::StyleStraight, 1);
    addStyleItem(session, cmd::ctx::StyleAngled, 2);
}

} // namespace sigmora::edit
