#include "io/dump/DumpTime.h"

#include <array>
#include <cctype>
#include <utility>

namespace sigmora::io {

namespace {

// Exact arithmetic wide enough for 18 digits times the largest unit in femtoseconds.
using Wide = __int128;

struct Unit {
    std::string_view name;
    int exponent; // of ten, in femtoseconds
};
constexpr std::array<Unit, 6> kUnits{{{"s", 15}, {"ms", 12}, {"us", 9}, {"ns", 6}, {"ps", 3}, {"fs", 0}}};
constexpr int kMaxDigits = 18;
constexpr long long kMaxTime = 999'999'999'999'999'999LL;

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::optional<int> unitExponent(std::string_view name)
{
    for (const Unit& u : kUnits)
        if (u.name == name)
            return u.exponent;
    return std::nullopt;
}

Wide powerOfTen(int n)
{
    Wide p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// A number with an optional fraction and an optional unit: its digits as one integer, how many
// of them follow the point, and the unit's name.
struct Number {
    Wide digits = 0;
    int decimals = 0;
    int count = 0;
    std::string_view unit;
};

std::optional<Number> readNumber(std::string_view text)
{
    Number n;
    std::size_t i = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !point) {
            point = true;
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            if (++n.count > kMaxDigits)
                return std::nullopt;
            n.digits = n.digits * 10 + (c - '0');
            n.decimals += point ? 1 : 0;
        } else {
            break;
        }
    }
    if (n.count == 0)
        return std::nullopt;
    n.unit = trimmed(text.substr(i));
    return n;
}

// The dump's unit: its magnitude (1, 10 or 100) and its exponent of ten in femtoseconds.
std::optional<std::pair<int, int>> readTimescale(std::string_view timescale)
{
    const auto n = readNumber(trimmed(timescale));
    if (!n || n->decimals != 0 || (n->digits != 1 && n->digits != 10 && n->digits != 100))
        return std::nullopt;
    const auto exponent = unitExponent(n->unit);
    if (!exponent)
        return std::nullopt;
    return std::pair{static_cast<int>(n->digits), *exponent};
}

} // namespace

DumpTimeText dumpTimeFromText(std::string_view text, std::string_view timescale)
{
    const std::string_view t = trimmed(text);
    if (t.empty())
        return {std::nullopt, "no time given"};
    const auto n = readNumber(t);
    if (!n)
        return {std::nullopt, "\"" + std::string(t) + "\" is not a time"};
    if (n->unit.empty()) {
        if (n->decimals != 0)
            return {std::nullopt, "a time without a unit is a whole number of the dump's unit"};
        return {static_cast<long long>(n->digits), {}};
    }
    const auto exponent = unitExponent(n->unit);
    if (!exponent)
        return {std::nullopt, "\"" + std::string(n->unit) + "\" is not a unit (s, ms, us, ns, ps, fs)"};
    const auto scale = readTimescale(timescale);
    if (!scale && trimmed(timescale).empty())
        return {std::nullopt, "the dump gives no time unit: give the time as a whole number"};
    if (!scale)
        return {std::nullopt, "the dump's $timescale \"" + std::string(trimmed(timescale)) +
                                  "\" is no time unit (1, 10 or 100 of s, ms, us, ns, ps or fs): give the time as a "
                                  "whole number"};
    // The time in femtoseconds is digits × 10^(exponent − decimals); the dump's unit is
    // magnitude × 10^its exponent.
    Wide numerator = n->digits;
    Wide denominator = scale->first;
    const int shift = *exponent - n->decimals - scale->second;
    if (shift >= 0)
        numerator *= powerOfTen(shift);
    else
        denominator *= powerOfTen(-shift);
    if (numerator % denominator != 0)
        return {std::nullopt, std::string(t) + " is not a whole number of the dump's unit (" + std::string(trimmed(timescale)) + ")"};
    const Wide time = numerator / denominator;
    if (time > kMaxTime)
        return {std::nullopt, std::string(t) + " is past the end of any dump"};
    return {static_cast<long long>(time), {}};
}

std::string dumpTimeWithUnit(long long time, std::string_view timescale)
{
    const auto scale = readTimescale(timescale);
    if (!scale || time < 0)
        return {};
    const Wide femto = static_cast<Wide>(time) * scale->first * powerOfTen(scale->second);
    const Unit* unit = &kUnits.back();
    for (const Unit& u : kUnits)
        if (femto >= powerOfTen(u.exponent)) {
            unit = &u;
            break;
        }
    if (femto == 0)
        for (const Unit& u : kUnits)
            if (u.exponent == scale->second)
                unit = &u;
    const Wide whole = femto / powerOfTen(unit->exponent);
    Wide rest = femto % powerOfTen(unit->exponent);
    std::string out = std::to_string(static_cast<long long>(whole));
    if (rest != 0) {
        std::string fraction;
        for (int i = unit->exponent - 1; i >= 0; --i) {
            const Wide p = powerOfTen(i);
            fraction += static_cast<char>('0' + static_cast<int>(rest / p));
            rest %= p;
        }
        while (!fraction.empty() && fraction.back() == '0')
            fraction.pop_back();
        out += "." + fraction;
    }
    return out + std::string(unit->name);
}

} // namespace sigmora::io
