#include "io/CsvFormat.h"

#include <algorithm>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kNameEnd = ", ";
constexpr char kEmptyRowFill = '1'; // what the drawing shows for a row without cells

std::string lineProblem(std::size_t line, std::string_view what)
{
    return "line " + std::to_string(line) + " " + std::string(what);
}

// The cell text of a line: every comma and blank removed.
std::string cellsOf(std::string_view text)
{
    std::string cells;
    cells.reserve(text.size());
    for (char c : text)
        if (c != ',' && c != ' ' && c != '\t')
            cells.push_back(c);
    return cells;
}

std::string_view withoutCarriageReturn(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

bool blankLine(std::string_view line)
{
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

} // namespace

std::string csvDocument(const model::Diagram& diagram)
{
    std::string out;
    for (const std::string& record : diagram.store.signals().records()) {
        out.append(model::fields::nameOfRow(record)).append(kNameEnd);
        out.append(model::signal::waveform(record)).push_back('\n');
    }
    return out;
}

ExchangeReadResult readCsvDiagram(std::string_view bytes, model::Diagram& diagram)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    model::RecordList& rows = diagram.store.signals();
    std::size_t lineNumber = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string_view line = withoutCarriageReturn(bytes.substr(at, end - at));
        const bool lastLine = end >= bytes.size();
        at = end + 1;
        ++lineNumber;
        if (blankLine(line))
            continue;
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos) {
            if (lastLine)
                break;
            return {lineProblem(lineNumber, "has no comma after its name")};
        }
        const std::string_view name = line.substr(0, comma);
        std::string cells = cellsOf(line.substr(comma + 1));
        if (rows.count() >= model::kMaxRows)
            return {"more than 256 rows"};
        if (cells.size() > kMaxWaveformLength)
            return {lineProblem(lineNumber, "has more than 600 cells")};
        if (hasControlCharacter(name) || unfitForWaveform(cells))
            return {lineProblem(lineNumber, "holds characters no name or cell can have")};
        if (cells.size() < kPaddedWaveformLength)
            cells.resize(kPaddedWaveformLength, cells.empty() ? kEmptyRowFill : cells.back());
        const int index = rows.append(plainSignalRecord(model::fields::encodePeriods(name), cells, true));
        diagram.store.floodStyles().clearRow(index);
        diagram.store.edgeOffsets().clearRow(index);
    }
    return {};
}

} // namespace sigmora::io
