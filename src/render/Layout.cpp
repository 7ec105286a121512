#include "render/Layout.h"

namespace sigmora::render {

Layout Layout::from(const model::DiagramSettings& s)
{
    Layout l;
    l.nameMargin = s.nameMargin;
    l.nameColumnWidth = s.nameColumnWidth;
    l.topMargin = s.topMargin;
    l.signalHeight = s.signalHeight;
    l.signalSpacing = s.signalSpacing;
    l.cellWidth = s.cellWidth;
    l.waveformWidth = s.waveformWidth;
    l.slantWidth = s.slantWidth;
    l.firstVisibleCell = s.firstVisibleCell;
    l.verticalScroll = s.verticalScroll;
    return l;
}

} // namespace sigmora::render
