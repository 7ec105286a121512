#include "model/DiagramSettings.h"

namespace sigmora::model {

void DiagramSettings::resetForNew()
{
    const DiagramSettings start;
    cellWidth = start.cellWidth;
    cellCount = start.cellCount;
    waveformWidth = start.waveformWidth;
    signalHeight = start.signalHeight;
    nameColumnChars = start.nameColumnChars;
    nameColumnWidth = start.nameColumnWidth;
    topMargin = start.topMargin;
    nameJustification = start.nameJustification;
    periodDivider = start.periodDivider;
    periodLinesPerLabel = start.periodLinesPerLabel;
    skipOffset = start.skipOffset;
    textColour = start.textColour;
    textFace = start.textFace;
    textSize = start.textSize;
    // What a file held here belongs to that file's diagram only.
    spareStoredValue = start.spareStoredValue;
    firstVisibleCell = 0;
    verticalScroll = 0;
}

} // namespace sigmora::model
