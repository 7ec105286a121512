#pragma once

#include <string>
#include <utility>

#include "model/Diagram.h"

namespace sigmora::edit {

// The values the "Customize the clock cycle labels" dialog edits. Start value and increment are
// texts, read with atoi when the dialog is confirmed.
struct CycleLabelValues {
    std::string prefix;
    std::string start;
    std::string suffix;
    std::string increment;
    int periodLinesPerLabel = 1;
    int skipOffset = 1;
    int moduloCount = 0;
    int moduloOffset = 0;
    int repeatModuloCount = 0;
};

CycleLabelValues cycleLabelValues(const model::DiagramSettings& settings);

// The two preview texts: prefix, start and suffix, then prefix, start + increment and suffix,
// each part separated by one blank.
std::pair<std::string, std::string> cycleLabelPreview(const CycleLabelValues& values);

// OK: labels customized, the values stored and the 600 label numbers generated again.
void applyCycleLabels(model::Diagram& diagram, const CycleLabelValues& values);

} // namespace sigmora::edit
