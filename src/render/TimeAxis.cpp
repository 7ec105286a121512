#include "render/TimeAxis.h"

#include <cmath>
#include <algorithm>
#include <cstdio>

namespace sigmora::render {

namespace {

struct Unit {
    const char* name;
    long double femtoseconds;
};

constexpr Unit kUnits[] = {
    {"fs", 1.0L}, {"ps", 1e3L}, {"ns", 1e6L}, {"\xC2\xB5s", 1e9L}, {"ms", 1e12L}, {"s", 1e15L},
};
constexpr int kUnitCount = sizeof kUnits / sizeof kUnits[0];
constexpr int kSignificantDigits = 3;

// value (at least 1) rounded to three significant digits, without trailing zeros.
std::string significant(long double value)
{
    const int whole = static_cast<int>(std::floor(std::log10(value))) + 1; // digits before the point
    const int decimals = std::max(0, kSignificantDigits - whole);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, value);
    std::string text(buffer);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0')
            text.pop_back();
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

// Rounds to three significant digits in the unit that keeps the value below 1000.
std::string withUnit(long double fs)
{
    int u = 0;
    while (u + 1 < kUnitCount && fs >= kUnits[u + 1].femtoseconds)
        ++u;
    long double value = fs / kUnits[u].femtoseconds;
    const int whole = static_cast<int>(std::floor(std::log10(value))) + 1;
    const long double scale = std::pow(10.0L, static_cast<long double>(std::max(0, kSignificantDigits - whole)));
    value = std::round(value * scale) / scale;
    // 999.6 ns rounds to 1000 ns: one unit up.
    if (value >= 1000 && u + 1 < kUnitCount) {
        ++u;
        value /= 1000;
    }
    return significant(value) + " " + kUnits[u].name;
}

} // namespace

std::string timeText(long double fs)
{
    if (!std::isfinite(fs))
        return "?";
    // Below a thousandth of a femtosecond is no time this program can draw.
    if (std::fabs(fs) < 1e-3L)
        return "0 s";
    if (fs < 0)
        return "-" + withUnit(-fs);
    if (fs < 1)
        return significant(fs) + " fs";
    return withUnit(fs);
}

std::string rulerText(long double fs)
{
    if (std::fabs(fs) < 1e-3L)
        return "0";
    return timeText(fs);
}

} // namespace sigmora::render
