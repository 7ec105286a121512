#include "io/hdl/VhdlStimulus.h"

#include <algorithm>

#include "io/dump/VcdWriter.h"

namespace sigmora::io {

namespace {

constexpr const char* kIndent = "    ";

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](char c) { return c == 'x' ? 'X' : c == 'z' ? 'Z' : c; });
    return s;
}

std::string literal(const TimedRow& row, const std::string& value)
{
    return row.width == 1 ? "'" + upper(value) + "'" : "\"" + upper(value) + "\"";
}

} // namespace

std::string vhdlStimulus(const TimedRows& rows)
{
    const std::string entity = rows.baseName + "_stimulus";
    std::size_t longest = 0;
    for (const TimedRow& row : rows.rows)
        longest = std::max(longest, row.identifier.size());
    std::string out;
    out += "-- Stimulus drawn in Sigmora: every row of the diagram " + rows.baseName + " as an output.\n";
    out += "library ieee;\nuse ieee.std_logic_1164.all;\n\n";
    out += "entity " + entity + " is\n";
    out += std::string(kIndent) + "port (\n";
    for (std::size_t r = 0; r < rows.rows.size(); ++r) {
        const TimedRow& row = rows.rows[r];
        out += std::string(kIndent) + kIndent + row.identifier + std::string(longest - row.identifier.size(), ' ') +
               " : out ";
        out += row.width == 1 ? "std_logic" : "std_logic_vector(" + std::to_string(row.width - 1) + " downto 0)";
        out += r + 1 < rows.rows.size() ? ";\n" : "\n";
    }
    out += std::string(kIndent) + ");\n";
    out += "end entity " + entity + ";\n\n";
    out += "architecture drawn of " + entity + " is\n";
    out += "begin\n";
    out += std::string(kIndent) + "process\n";
    out += std::string(kIndent) + "begin\n";
    const std::string inner = std::string(kIndent) + kIndent;
    long long now = 0;
    for (const TimedEvent& e : eventsInTimeOrder(rows)) {
        if (e.time != now) {
            out += inner + "wait for " + std::to_string(e.time - now) + " ps;\n";
            now = e.time;
        }
        const TimedRow& row = rows.rows[static_cast<std::size_t>(e.row)];
        out += inner + row.identifier + " <= " + literal(row, *e.value) + ";\n";
    }
    if (rows.endTime > now)
        out += inner + "wait for " + std::to_string(rows.endTime - now) + " ps;\n";
    out += inner + "wait;\n";
    out += std::string(kIndent) + "end process;\n";
    out += "end architecture drawn;\n";
    return out;
}

} // namespace sigmora::io
