#include "io/dump/HalfPeriod.h"

#include <array>
#include <cctype>

#include "model/TextCase.h"

namespace sigmora::io {

namespace {

struct Unit {
    std::string_view name;
    long long femtoseconds;
};

constexpr std::array kUnits{Unit{"fs", 1}, Unit{"ps", 1'000}, Unit{"ns", 1'000'000}, Unit{"us", 1'000'000'000},
                            Unit{"ms", 1'000'000'000'000}, Unit{"s", 1'000'000'000'000'000}};

HalfPeriodText failed(std::string error)
{
    HalfPeriodText out;
    out.error = std::move(error);
    return out;
}

} // namespace

HalfPeriodText parseHalfPeriod(std::string_view text, std::string_view what)
{
    const std::string subject = "The " + std::string(what);
    const std::string_view t = model::trimBlanks(text);
    const std::string shown = "\"" + std::string(t.substr(0, 40)) + "\"";
    const std::string example = ": write a number and a unit (fs, ps, ns, us, ms or s), such as 5ns";
    std::size_t i = 0;
    if (!t.empty() && (t[0] == '-' || t[0] == '+'))
        return failed(t[0] == '-' ? subject + " must be above 0, not " + shown + "."
                                  : subject + " " + shown + " is not a time" + example + ".");
    std::string whole, fraction;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
        whole += t[i++];
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i])))
            fraction += t[i++];
    }
    while (i < t.size() && t[i] == ' ')
        ++i;
    const std::string_view unitText = t.substr(i);
    const Unit* unit = nullptr;
    for (const Unit& u : kUnits)
        if (model::equalsIgnoringCase(unitText, u.name))
            unit = &u;
    const bool digits = !whole.empty() || !fraction.empty();
    // A zero is told as such, with a unit or none; a zero followed by what is no unit ("0x5ns")
    // is no time at all.
    const bool zero = digits && (whole + fraction).find_first_not_of('0') == std::string::npos;
    if (zero && (unit != nullptr || unitText.empty()))
        return failed(subject + " must be above 0, not " + shown + ".");
    if (!digits || unit == nullptr)
        return failed(subject + " " + shown + " is not a time" + example + ".");
    // value = whole.fraction x unit, counted in femtoseconds without rounding.
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    while (whole.size() > 1 && whole.front() == '0')
        whole.erase(0, 1);
    const std::string tooLong = subject + " " + shown + " is longer than 1 s.";
    if (whole.size() > 16)
        return failed(tooLong);
    const long long count = whole.empty() ? 0 : std::stoll(whole);
    if (count > kMaxHalfPeriodFs / unit->femtoseconds)
        return failed(tooLong);
    long long fs = count * unit->femtoseconds;
    long long scale = unit->femtoseconds;
    for (char c : fraction) {
        if (scale % 10 != 0)
            return failed(subject + " " + shown + " is finer than 1 fs.");
        scale /= 10;
        fs += (c - '0') * scale;
    }
    if (fs <= 0)
        return failed(subject + " must be above 0, not " + shown + ".");
    if (fs > kMaxHalfPeriodFs)
        return failed(tooLong);
    HalfPeriodText out;
    out.femtoseconds = fs;
    return out;
}

std::string halfPeriodText(long long femtoseconds)
{
    for (auto u = kUnits.rbegin(); u != kUnits.rend(); ++u)
        if (femtoseconds % u->femtoseconds == 0)
            return std::to_string(femtoseconds / u->femtoseconds) + std::string(u->name);
    return std::to_string(femtoseconds) + "fs";
}

} // namespace sigmora::io

namespace sigmora::io {

namespace {
constexpr long long kFsPerPs = 1000;
} // namespace

OutputDelayText parseOutputDelay(std::string_view text, long long halfPeriodFs)
{
    OutputDelayText out;
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return out;
    const HalfPeriodText read = parseHalfPeriod(text, "output delay");
    if (!read.femtoseconds) {
        out.error = read.error;
        return out;
    }
    const long long fs = *read.femtoseconds;
    if (fs < kFsPerPs)
        out.error = "The output delay must be at least 1ps: a change at the very time of the clock edge may be taken at that edge.";
    else if (fs % kFsPerPs != 0)
        out.error = "The output delay must be a whole number of picoseconds, not " + halfPeriodText(fs) + ".";
    else if (fs >= halfPeriodFs)
        out.error = "The output delay must be shorter than the half-period (" + halfPeriodText(halfPeriodFs) +
                    "): the changes would pass the next edge.";
    else
        out.picoseconds = fs / kFsPerPs;
    return out;
}

} // namespace sigmora::io
