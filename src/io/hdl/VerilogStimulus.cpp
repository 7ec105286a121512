#include "io/hdl/VerilogStimulus.h"

#include "io/dump/VcdWriter.h"

namespace sigmora::io {

namespace {

constexpr const char* kIndent = "    ";

std::string literal(const TimedRow& row, const std::string& value)
{
    const std::string width = std::to_string(row.width);
    if (value.find_first_not_of(value.front()) == std::string::npos && (value.front() == 'x' || value.front() == 'z'))
        return width + "'b" + value.front(); // x and z fill every bit
    return width + "'b" + value;
}

} // namespace

std::string nanosecondText(long long picoseconds)
{
    std::string text = std::to_string(picoseconds / 1000);
    const long long rest = picoseconds % 1000;
    if (rest != 0) {
        std::string decimals = std::to_string(rest);
        decimals.insert(0, 3 - decimals.size(), '0');
        while (decimals.back() == '0')
            decimals.pop_back();
        text += "." + decimals;
    }
    return text;
}

std::string verilogStimulus(const TimedRows& rows)
{
    const std::string module = rows.baseName + "_stimulus";
    std::string out;
    out += "// Stimulus drawn in Sigmora: every row of the diagram " + rows.baseName + " as an output.\n";
    out += "`timescale 1ns/1ps\n\n";
    out += "module " + module + " (\n";
    for (std::size_t r = 0; r < rows.rows.size(); ++r) {
        const TimedRow& row = rows.rows[r];
        out += std::string(kIndent) + "output reg ";
        if (row.width > 1)
            out += "[" + std::to_string(row.width - 1) + ":0] ";
        out += row.identifier + (r + 1 < rows.rows.size() ? ",\n" : "\n");
    }
    out += ");\n\n";
    out += std::string(kIndent) + "initial begin\n";
    long long now = 0;
    const std::string inner = std::string(kIndent) + kIndent;
    for (const TimedEvent& e : eventsInTimeOrder(rows)) {
        if (e.time != now) {
            out += inner + "#" + nanosecondText(e.time - now) + ";\n";
            now = e.time;
        }
        const TimedRow& row = rows.rows[static_cast<std::size_t>(e.row)];
        out += inner + row.identifier + " = " + literal(row, *e.value) + ";\n";
    }
    if (rows.endTime > now)
        out += inner + "#" + nanosecondText(rows.endTime - now) + ";\n";
    out += std::string(kIndent) + "end\n";
    out += "endmodule\n";
    return out;
}

} // namespace sigmora::io
