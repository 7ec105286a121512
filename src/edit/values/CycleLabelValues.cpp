#include "edit/values/CycleLabelValues.h"

#include "model/LabelNumberGenerator.h"
#include "model/RecordFields.h"

namespace sigmora::edit {

CycleLabelValues cycleLabelValues(const model::DiagramSettings& s)
{
    return {s.labelPrefix,     std::to_string(s.labelStart), s.labelSuffix, std::to_string(s.labelIncrement),
            s.periodLinesPerLabel, s.skipOffset,            s.moduloCount, s.moduloOffset,
            s.repeatModuloCount};
}

std::pair<std::string, std::string> cycleLabelPreview(const CycleLabelValues& v)
{
    const int start = model::fields::cAtoi(v.start);
    // The second label wraps around as the generated label numbers do.
    const int next = static_cast<int>(static_cast<unsigned>(start) + static_cast<unsigned>(model::fields::cAtoi(v.increment)));
    auto label = [&v](int n) { return v.prefix + " " + std::to_string(n) + " " + v.suffix; };
    return {label(start), label(next)};
}

void applyCycleLabels(model::Diagram& diagram, const CycleLabelValues& v)
{
    model::DiagramSettings& s = diagram.settings;
    s.labelsCustomized = 1;
    s.labelPrefix = v.prefix;
    s.labelStart = model::fields::cAtoi(v.start);
    s.labelSuffix = v.suffix;
    s.labelIncrement = model::fields::cAtoi(v.increment);
    s.periodLinesPerLabel = v.periodLinesPerLabel;
    s.skipOffset = v.skipOffset;
    s.moduloCount = v.moduloCount;
    s.moduloOffset = v.moduloOffset;
    s.repeatModuloCount = v.repeatModuloCount;
    diagram.labelNumbers = model::generateLabelNumbers(model::labelNumberRule(s));
}

} // namespace sigmora::edit
