#include "model/TimingParameter.h"

#include <charconv>
#include <cmath>

namespace sigmora::model {

namespace {

struct Unit {
    std::string_view name;
    long long femtoseconds;
};

constexpr Unit kUnits[] = {
    {"fs", 1LL},
    {"ps", 1'000LL},
    {"ns", 1'000'000LL},
    {"us", 1'000'000'000LL},
    {"\xC2\xB5s", 1'000'000'000LL}, // µs
    {"ms", 1'000'000'000'000LL},
    {"s", 1'000'000'000'000'000LL},
};

bool holdsLineOrTab(std::string_view text)
{
    return text.find_first_of("\t\r\n") != std::string_view::npos;
}

} // namespace

std::optional<long long> femtosecondsPerUnit(std::string_view unit)
{
    for (const Unit& u : kUnits)
        if (u.name == unit)
            return u.femtoseconds;
    return std::nullopt;
}

std::string timingParameterProblem(const TimingParameter& p)
{
    if (p.symbol.empty())
        return "A timing parameter needs a symbol.";
    if (holdsLineOrTab(p.symbol) || holdsLineOrTab(p.description) || holdsLineOrTab(p.unit))
        return "The texts of " + p.symbol + " must stay on one line, without tabs.";
    if (!femtosecondsPerUnit(p.unit))
        return "The unit of " + p.symbol + " must be one of fs, ps, ns, us, ms or s.";
    if (p.min && p.max && *p.min > *p.max)
        return "The minimum of " + p.symbol + " (" + limitText(*p.min) + ") lies above its maximum (" +
               limitText(*p.max) + ").";
    return {};
}

void followDeletedLabel(std::vector<TimingParameter>& parameters, int index)
{
    for (TimingParameter& p : parameters) {
        if (p.label == index)
            p.label = TimingParameter::kNoLabel;
        else if (p.label > index)
            --p.label;
    }
}

std::string limitText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::optional<double> parseLimit(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    if (text.empty() || text.find_first_not_of("+-.0123456789eE") != std::string_view::npos)
        return std::nullopt;
    if (text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace sigmora::model
