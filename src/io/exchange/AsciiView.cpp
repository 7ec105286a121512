#include "io/exchange/AsciiView.h"

#include <algorithm>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextLines.h"
#include "model/Utf8Text.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kActiveLowSuffix = "_b";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kMaxVisibleCharacters = 255;
constexpr int kHighestValue = 4;

// Cell value of a character as the C library's atoi reads that one character.
int valueOf(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

bool isBus(int v)
{
    return v == 3 || v == 4;
}

struct Pairs {
    std::string_view upper;
    std::string_view lower;
};

// The two characters of the upper and of the lower line for one cell entered from prev.
Pairs pairsFor(int prev, int cur)
{
    if (isBus(prev) && isBus(cur))
        return prev == cur ? Pairs{"__", "__"} : Pairs{" _", "X_"};
    // Rows: prev 0, 1, 2, bus; columns: cur 0, 1, 2, bus.
    static constexpr Pairs kTable[4][4] = {
        {{"  ", "__"}, {" _", "| "}, {"  ", "_-"}, {" _", "/_"}},
        {{"  ", "|_"}, {"__", "  "}, {"_ ", " -"}, {"__", "\\_"}},
        {{"  ", "-_"}, {"__", "  "}, {"  ", "--"}, {" _", "<_"}},
        {{"  ", "\\_"}, {"__", "/ "}, {"  ", ">-"}, {"  ", "  "}},
    };
    return kTable[std::min(prev, 3)][std::min(cur, 3)];
}

void appendRow(std::string& upper, std::string& lower, std::string_view waveform)
{
    for (std::size_t i = 0; i + 1 < waveform.size(); ++i) {
        const int prev = valueOf(waveform[i]);
        const int cur = valueOf(waveform[i + 1]);
        if (prev > kHighestValue || cur > kHighestValue)
            continue;
        const Pairs p = pairsFor(prev, cur);
        upper.append(p.upper);
        lower.append(p.lower);
    }
}

// Labels are padded by characters, so that a name with letters of several bytes lines up.
std::size_t characterCount(std::string_view label)
{
    return model::codePoints(label).size();
}

} // namespace

std::vector<AsciiRow> asciiRows(const model::Diagram& diagram)
{
    std::vector<AsciiRow> rows;
    const int first = std::max(0, diagram.settings.firstVisibleCell);
    const int visible = std::max(0, kMaxVisibleCharacters - first);
    for (const std::string& record : diagram.store.signals().records()) {
        AsciiRow row;
        row.label = model::singleLineText(model::fields::nameOfRow(record));
        if (model::signal::activeLow(record) == 1)
            row.label.append(kActiveLowSuffix);
        const std::string_view waveform = model::signal::waveform(record);
        if (static_cast<std::size_t>(first) < waveform.size())
            row.waveform = std::string(waveform.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(visible)));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::string asciiText(const std::vector<AsciiRow>& rows, const AsciiOptions& options)
{
    std::size_t longest = 0;
    for (const AsciiRow& row : rows)
        longest = std::max(longest, characterCount(row.label));
    const std::string blankPad(longest + 1, ' ');
    const std::string prefix = options.includePrefix ? options.prefix : std::string();
    const std::size_t cycles = static_cast<std::size_t>(std::max(options.cycles, 0));
    std::string text;
    for (const AsciiRow& row : rows) {
        std::string upper;
        std::string lower;
        appendRow(upper, lower, std::string_view(row.waveform).substr(0, cycles));
        std::string label = row.label;
        label.append(longest + 1 - characterCount(row.label), ' ');
        text.append(prefix).append(options.showNames ? blankPad : std::string()).append(upper).append(kLineEnd);
        text.append(prefix).append(options.showNames ? label : std::string()).append(lower).append(kLineEnd);
    }
    return text;
}

} // namespace sigmora::io
