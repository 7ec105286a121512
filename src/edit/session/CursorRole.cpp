#include "edit/session/CursorRole.h"

namespace sigmora::edit {

namespace {

CursorRole floodCursor(const std::string& style)
{
    static constexpr CursorRole kStyles[] = {CursorRole::Flood1, CursorRole::Flood2, CursorRole::Flood3,
                                             CursorRole::Flood4, CursorRole::Flood5, CursorRole::Flood6};
    if (style == "0")
        return CursorRole::FloodErase;
    if (style.size() == 1 && style[0] >= '1' && style[0] <= '6')
        return kStyles[style[0] - '1'];
    return CursorRole::FloodOther;
}

bool overDragHandle(Hover hover)
{
    return hover != Hover::None;
}

CursorRole hoverCursor(Hover hover)
{
    switch (hover) {
    case Hover::RightEdge:
    case Hover::NameBorder:
    case Hover::TransitionEdge: return CursorRole::SizeWestEast;
    case Hover::Bottom:
    case Hover::TopMargin: return CursorRole::SizeNorthSouth;
    case Hover::HandleMiddle: return CursorRole::Move;
    case Hover::HandleBegin:
    case Hover::HandleEnd:
    case Hover::TextMove:
    case Hover::NameMove: return CursorRole::Move;
    case Hover::None: break;
    }
    return CursorRole::Arrow;
}

} // namespace

CursorRole cursorRole(const InteractionState& s)
{
    if (s.textPlacement == 1)
        return s.alternateTextCursor == 1 ? CursorRole::AlternatePlacement : CursorRole::TextPlacement;
    switch (s.currentTool) {
    case Tool::Draw:
        if (!overDragHandle(s.hover))
            return CursorRole::Draw;
        break;
    case Tool::Flood: return floodCursor(s.floodStyle);
    case Tool::Arrow: return s.arrowStep == kStepIdle ? CursorRole::ArrowFirst : CursorRole::ArrowSecond;
    case Tool::TimeBreak: return CursorRole::TimeBreak;
    case Tool::Label: return s.labelStep == kStepIdle ? CursorRole::LabelFirst : CursorRole::LabelNext;
    case Tool::TriState: return CursorRole::TriState;
    case Tool::Both: return CursorRole::Both;
    case Tool::Select: break;
    }
    // The middle handle of a label moves only up and down.
    if (s.hover == Hover::HandleMiddle && s.selectionKind == SelectionKind::Label)
        return CursorRole::MoveVertical;
    return hoverCursor(s.hover);
}

} // namespace sigmora::edit
