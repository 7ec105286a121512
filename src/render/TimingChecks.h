#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/DiagramExtension.h"

namespace sigmora::render {

// One timing parameter held against the label it is bound to.
struct ParameterCheck {
    std::optional<long double> measuredFs; // nothing: unbound, no such label, or no time
    bool bound = false;                    // bound to a label that exists
    bool violated = false;                 // measured below its minimum or above its maximum
    // The smaller distance to a limit, in femtoseconds: negative by how far a limit is
    // passed; nothing without a measure or without limits.
    std::optional<long double> marginFs;
};

// Every parameter of a diagram checked against the measured times of its labels.
struct TimingReport {
    std::vector<ParameterCheck> checks;  // by parameter index
    std::vector<bool> violatedLabels;    // by label index: a parameter bound to it is violated

    bool labelViolated(int label) const
    {
        return label >= 0 && static_cast<size_t>(label) < violatedLabels.size() && violatedLabels[static_cast<size_t>(label)];
    }
    // "Timing violated: tRCD 12.5 ns (min 15 ns)" (the symbol's marks left out: it is plain text) for the first violation, "" without one;
    // more violations are counted after it.
    std::string statusText(const model::DiagramExtension& extension) const;
};

TimingReport checkTiming(const model::DiagramExtension& extension, const std::vector<std::optional<long double>>& labelTimes);

// A time in a parameter's unit as the table shows it: three significant digits.
std::string inUnit(long double fs, const model::TimingParameter& parameter);

} // namespace sigmora::render
