#include "io/dump/VcdWriter.h"

#include <algorithm>

namespace sigmora::io {

namespace {

constexpr char kFirstCode = '!';
constexpr int kCodeDigits = '~' - '!' + 1; // the printable characters a code is made of

// The identifier code of the n-th variable: "!", "\"", ... "~", "!!", ...
std::string identifierCode(int n)
{
    std::string code;
    do {
        code += static_cast<char>(kFirstCode + n % kCodeDigits);
        n = n / kCodeDigits - 1;
    } while (n >= 0);
    return code;
}

void writeValue(std::string& out, const TimedRow& row, const std::string& value, const std::string& code)
{
    if (row.width == 1)
        out += value + code + "\n";
    else
        out += "b" + value + " " + code + "\n";
}

} // namespace

std::vector<TimedEvent> eventsInTimeOrder(const TimedRows& rows)
{
    std::vector<TimedEvent> events;
    for (std::size_t r = 0; r < rows.rows.size(); ++r)
        for (const TimedChange& c : rows.rows[r].changes)
            events.push_back({c.time, static_cast<int>(r), &c.value});
    std::stable_sort(events.begin(), events.end(),
                     [](const TimedEvent& a, const TimedEvent& b) { return a.time < b.time; });
    return events;
}

std::string vcdText(const TimedRows& rows)
{
    std::string out;
    out += "$version Sigmora $end\n";
    out += "$timescale 1ps $end\n";
    // One cell's time: read back, the cells are these, also where no row toggles every cell.
    if (rows.cellTime > 0)
        out += "$comment sigmora-cell " + std::to_string(rows.cellTime) + " $end\n";
    out += "$scope module " + rows.baseName + " $end\n";
    std::vector<std::string> codes;
    for (std::size_t r = 0; r < rows.rows.size(); ++r) {
        const TimedRow& row = rows.rows[r];
        codes.push_back(identifierCode(static_cast<int>(r)));
        out += "$var wire " + std::to_string(row.width) + " " + codes.back() + " " + row.identifier;
        if (row.width > 1)
            out += " [" + std::to_string(row.width - 1) + ":0]";
        out += " $end\n";
    }
    out += "$upscope $end\n$enddefinitions $end\n";
    out += "#0\n$dumpvars\n";
    bool inDumpvars = true;
    long long now = 0;
    for (const TimedEvent& e : eventsInTimeOrder(rows)) {
        if (e.time != now) {
            if (inDumpvars)
                out += "$end\n";
            inDumpvars = false;
            now = e.time;
            out += "#" + std::to_string(now) + "\n";
        }
        const auto r = static_cast<std::size_t>(e.row);
        writeValue(out, rows.rows[r], *e.value, codes[r]);
    }
    if (inDumpvars)
        out += "$end\n";
    if (rows.endTime > now)
        out += "#" + std::to_string(rows.endTime) + "\n";
    return out;
}

} // namespace sigmora::io
