#include "edit/session/Scrolling.h"

namespace sigmora::edit {

int scrolledPosition(int position, ScrollAction action, int thumb)
{
    int next = position;
    switch (action) {
    case ScrollAction::LineUp: next = position - kScrollLineStep; break;
    case ScrollAction::LineDown: next = position + kScrollLineStep; break;
    case ScrollAction::PageUp: next = position - kScrollPageStep; break;
    case ScrollAction::PageDown: next = position + kScrollPageStep; break;
    case ScrollAction::Thumb: next = thumb + (thumb % 2 != 0 ? 1 : 0); break;
    }
    if (next < 0)
        next = 0;
    if (next > kScrollLimit)
        return position;
    return next;
}

} // namespace sigmora::edit
