#pragma once

#include "model/Diagram.h"
#include "model/TextMeasurer.h"

namespace sigmora::model {

// Sizes the name column to the widest name line (never below 100 pixels), remembers that line's
// character count, and moves every text box by the change so it stays over the same cells.
void fitNameColumn(Diagram& diagram, const TextMeasurer& measurer);

// The font names are measured in when the column is fitted.
FontSpec nameMeasureFont();

} // namespace sigmora::model
