#include "render/TimingChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "render/TextMarkup.h"

namespace sigmora::render {

namespace {

long double unitFs(const model::TimingParameter& p)
{
    return static_cast<long double>(model::femtosecondsPerUnit(p.unit).value_or(1));
}

ParameterCheck check(const model::TimingParameter& p, const std::vector<std::optional<long double>>& labelTimes)
{
    ParameterCheck c;
    if (p.label < 0 || static_cast<size_t>(p.label) >= labelTimes.size())
        return c;
    c.bound = true;
    c.measuredFs = labelTimes[static_cast<size_t>(p.label)];
    if (!c.measuredFs)
        return c;
    const long double unit = unitFs(p);
    // Limits are compared in femtoseconds rounded as the measure is shown: 15 ns typed and
    // 15 ns measured are not a violation by a rounding error.
    const long double measured = std::round(*c.measuredFs * 1000) / 1000;
    if (p.min) {
        const long double m = measured - std::round(static_cast<long double>(*p.min) * unit * 1000) / 1000;
        c.marginFs = m;
    }
    if (p.max) {
        const long double m = std::round(static_cast<long double>(*p.max) * unit * 1000) / 1000 - measured;
        c.marginFs = c.marginFs ? std::min(*c.marginFs, m) : m;
    }
    c.violated = c.marginFs && *c.marginFs < 0;
    return c;
}

std::string limitsText(const model::TimingParameter& p)
{
    std::string out;
    if (p.min)
        out += "min " + model::limitText(*p.min) + " " + p.unit;
    if (p.max)
        out += std::string(out.empty() ? "" : ", ") + "max " + model::limitText(*p.max) + " " + p.unit;
    return out;
}

} // namespace

std::string inUnit(long double fs, const model::TimingParameter& p)
{
    const long double value = fs / unitFs(p);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, std::fabs(value) >= 1000 ? "%.0Lf" : "%.3Lg", value);
    return std::string(buffer) + " " + p.unit;
}

TimingReport checkTiming(const model::DiagramExtension& extension, const std::vector<std::optional<long double>>& labelTimes)
{
    TimingReport r;
    r.violatedLabels.assign(labelTimes.size(), false);
    for (const model::TimingParameter& p : extension.parameters) {
        r.checks.push_back(check(p, labelTimes));
        if (r.checks.back().violated)
            r.violatedLabels[static_cast<size_t>(p.label)] = true;
    }
    return r;
}

std::string TimingReport::statusText(const model::DiagramExtension& extension) const
{
    std::string first;
    int count = 0;
    for (size_t i = 0; i < checks.size() && i < extension.parameters.size(); ++i) {
        if (!checks[i].violated)
            continue;
        if (count++ == 0) {
            const model::TimingParameter& p = extension.parameters[i];
            first = "Timing violated: " + withoutMarkup(p.symbol) + " " + inUnit(*checks[i].measuredFs, p) + " (" + limitsText(p) + ")";
        }
    }
    if (count > 1)
        first += " and " + std::to_string(count - 1) + " more";
    return first;
}

} // namespace sigmora::render
