#include "edit/values/RowLayout.h"

#include <algorithm>

namespace sigmora::edit {

RowLayout rowLayoutOf(const model::DiagramSettings& s)
{
    return {s.signalHeight, s.signalSpacing, s.topMargin};
}

RowLayout clampedRowLayout(const RowLayout& l)
{
    return {std::clamp(l.signalHeight, kMinSignalHeight, kMaxSignalHeight),
            std::clamp(l.signalSpacing, kMinSignalSpacing, kMaxSignalSpacing),
            std::clamp(l.topMargin, kMinTopMargin, kMaxTopMargin)};
}

} // namespace sigmora::edit
