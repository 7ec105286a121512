#include "edit/grid/OverlapRotation.h"

namespace sigmora::edit {

namespace {

OverlapKind turnTimeBreak(const OverlapHits& h, int& turn)
{
    if (h.timeBreak) {
        if (h.arrow && !h.arrowSelected)
            turn = 1;
        else if (!h.label)
            turn = 0;
        else if (!h.labelSelected)
            turn = 2;
        else
            turn = 0;
        return OverlapKind::TimeBreak;
    }
    turn = h.label ? 2 : 1;
    return OverlapKind::Arrow;
}

OverlapKind turnArrow(const OverlapHits& h, int& turn)
{
    if (h.arrow) {
        if (h.label && !h.labelSelected)
            turn = 2;
        else if (!h.timeBreak)
            turn = 1;
        else if (h.timeBreakSelected)
            turn = 1;
        else
            turn = 0;
        return OverlapKind::Arrow;
    }
    turn = 0;
    return h.label ? OverlapKind::Label : OverlapKind::TimeBreak;
}

OverlapKind turnLabel(const OverlapHits& h, int& turn)
{
    if (h.label) {
        if (h.timeBreak && h.arrow)
            turn = 3;
        else if (h.timeBreak && !h.timeBreakSelected)
            turn = 0;
        else if (!h.arrow)
            turn = 2;
        else if (h.arrowSelected)
            turn = 2;
        else
            turn = 1;
        return OverlapKind::Label;
    }
    if (!h.timeBreak) {
        turn = 1;
        return OverlapKind::Arrow;
    }
    turn = h.arrow ? 1 : 0;
    return OverlapKind::TimeBreak;
}

} // namespace

OverlapKind rotateOverlap(const OverlapHits& h, int& turn)
{
    const int count = (h.timeBreak ? 1 : 0) + (h.arrow ? 1 : 0) + (h.label ? 1 : 0);
    if (count == 0)
        return OverlapKind::None;
    if (count == 1)
        return h.timeBreak ? OverlapKind::TimeBreak : h.arrow ? OverlapKind::Arrow : OverlapKind::Label;
    switch (turn) {
    case 0: return turnTimeBreak(h, turn);
    case 1: return turnArrow(h, turn);
    case 2: return turnLabel(h, turn);
    default: turn = 0; return OverlapKind::None;
    }
}

} // namespace sigmora::edit
