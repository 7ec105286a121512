#pragma once

#include "model/DiagramSettings.h"

namespace sigmora::model {

class Diagram;

struct LabelNumberRule {
    int start = 1;
    int increment = 1;
    int moduloCount = 0;
    int moduloOffset = 0;
    int repeatCount = 0;
};

// Fills the 600 clock-cycle label values: counting from start by increment, jumping back to start
// (or forward by the modulo offset) after every moduloCount labels, repeatCount times (0: always).
LabelNumbers generateLabelNumbers(const LabelNumberRule& rule);
// The rule the diagram's label settings give.
LabelNumberRule labelNumberRule(const DiagramSettings& settings);
// The label values of a diagram computed again from its label settings.
void regenerateLabelNumbers(Diagram& diagram);
// 1, 2, ... 600.
LabelNumbers defaultLabelNumbers();

} // namespace sigmora::model
