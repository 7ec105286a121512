#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sigmora::model {

// One row of a diagram's table of timing parameters: a datasheet's symbol ("t_{RCD}"), what it
// means, its limits in its unit (each optional) and the label whose measured time it checks.
struct TimingParameter {
    static constexpr int kNoLabel = -1;

    std::string symbol;
    std::string description;
    std::optional<double> min;
    std::optional<double> typ;
    std::optional<double> max;
    std::string unit = "ns";
    int label = kNoLabel; // index in the label list, or kNoLabel

    bool operator==(const TimingParameter&) const = default;
};

// Femtoseconds in one of a time unit ("fs", "ps", "ns", "us" or "µs", "ms", "s"); nothing for a
// text that is no time unit.
std::optional<long long> femtosecondsPerUnit(std::string_view unit);

// Why a parameter cannot be kept (its minimum above its maximum, a unit that is no time, a
// symbol that is empty or a text holding a tab or a line end), or empty when it can.
std::string timingParameterProblem(const TimingParameter& parameter);

// Label `index` was deleted and the later labels moved down by one: the parameters bound to it
// are bound to none, those bound to a later label follow it.
void followDeletedLabel(std::vector<TimingParameter>& parameters, int index);

// A limit as the table shows and keeps it: the shortest decimal that reads back to the same
// number ("15", "7.5", "0.125").
std::string limitText(double value);
// A limit typed by the user or read from a file: a finite decimal number; nothing otherwise.
std::optional<double> parseLimit(std::string_view text);

} // namespace sigmora::model
