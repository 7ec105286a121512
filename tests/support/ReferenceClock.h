#pragma once

#include <map>
#include <sstream>
#include <string>

namespace sigmora::test {

// Adds a reference clock to a dump the program wrote: a variable sample_clk in its scope, low at
// time 0 and with an edge every half-period up to `end`, so that reading the dump back with that
// clock makes one cell of every half-period, as the diagram drew them.
inline std::string withReferenceClock(const std::string& vcd, long long end, long long halfPeriod)
{
    const std::string code = "sclk";
    std::istringstream in(vcd);
    std::string header, line;
    while (std::getline(in, line) && line != "$enddefinitions $end")
        header += (line == "$upscope $end" ? "$var wire 1 " + code + " sample_clk $end\n" : "") + line + "\n";
    std::map<long long, std::string> body;
    long long now = 0;
    while (std::getline(in, line)) {
        if (line.empty())
            continue;
        if (line.front() == '#')
            now = std::stoll(line.substr(1));
        else
            body[now] += line + "\n";
    }
    body[0] = "$dumpvars\n0" + code + "\n" + body[0].substr(std::string("$dumpvars\n").size());
    for (long long t = halfPeriod, level = 1; t <= end; t += halfPeriod, level ^= 1)
        body[t] += std::to_string(level) + code + "\n";
    std::string out = header + "$enddefinitions $end\n";
    for (const auto& [t, changes] : body)
        out += "#" + std::to_string(t) + "\n" + changes;
    return out;
}

} // namespace sigmora::test
