#include "io/exchange/CsvFormat.h"

#include <algorithm>
#include <optional>

#include "io/native/DiagramLimits.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextLines.h"

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

// A name with a comma or a double quote is written between double quotes, each quote inside
// doubled, so that the comma after it still ends it.
void appendName(std::string& out, std::string_view name)
{
    if (name.find_first_of(",\"") == std::string_view::npos) {
        out.append(name);
        return;
    }
    out.push_back('"');
    for (char c : name) {
        if (c == '"')
            out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
}

struct NameAndCells {
    std::string name;
    std::string_view cellText;
};

// A line that begins with a double quote and holds a quoted name followed by a comma (blanks
// between them allowed). Nothing for any other line, which is read as before: the name is
// what stands before the first comma.
std::optional<NameAndCells> quotedName(std::string_view line)
{
    if (line.empty() || line.front() != '"')
        return std::nullopt;
    NameAndCells read;
    for (std::size_t at = 1; at < line.size(); ++at) {
        if (line[at] != '"') {
            read.name.push_back(line[at]);
            continue;
        }
        if (at + 1 < line.size() && line[at + 1] == '"') {
            read.name.push_back('"');
            ++at;
            continue;
        }
        const std::size_t comma = line.find_first_not_of(" \t", at + 1);
        if (comma == std::string_view::npos || line[comma] != ',')
            return std::nullopt;
        read.cellText = line.substr(comma + 1);
        return read;
    }
    return std::nullopt;
}

} // namespace

std::string csvDocument(const model::Diagram& diagram)
{
    std::string out;
    for (const std::string& record : diagram.store.signals().records()) {
        appendName(out, model::fields::nameOfRow(record));
        out.append(kNameEnd);
        out.append(model::signal::waveform(record)).push_back('\n');
    }
    return out;
}

ExchangeReadResult readCsvDiagram(std::string_view bytes, model::Diagram& diagram)
{
    bytes = bytes.substr(0, bytes.find('\0'));
    model::RecordList& rows = diagram.store.signals();
    std::size_t lineNumber = 0;
    std::optional<std::string> firstCutRow;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', at), bytes.size());
        const std::string_view line = withoutCarriageReturn(bytes.substr(at, end - at));
        const bool lastLine = end >= bytes.size();
        at = end + 1;
        ++lineNumber;
        if (blankLine(line))
            continue;
        std::optional<NameAndCells> read = quotedName(line);
        if (!read) {
            const std::size_t comma = line.find(',');
            if (comma == std::string_view::npos) {
                if (lastLine)
                    break;
                return {lineProblem(lineNumber, "has no comma after its name"), {}};
            }
            read = NameAndCells{std::string(line.substr(0, comma)), line.substr(comma + 1)};
        }
        const std::string& name = read->name;
        std::string cells = cellsOf(read->cellText);
        if (rows.count() >= model::kMaxRows)
            return {"more than 256 rows", {}};
        if (hasControlCharacter(name) || unfitForWaveform(cells))
            return {lineProblem(lineNumber, "holds characters no name or cell can have"), {}};
        if (cells.size() > kMaxWaveformLength) {
            cells.resize(kMaxWaveformLength);
            if (!firstCutRow)
                firstCutRow = model::singleLineText(name);
        }
        if (cells.size() < kPaddedWaveformLength)
            cells.resize(kPaddedWaveformLength, cells.empty() ? kEmptyRowFill : cells.back());
        const int index = rows.append(plainSignalRecord(model::fields::encodePeriods(name), cells, true));
        diagram.store.floodStyles().clearRow(index);
        diagram.store.edgeOffsets().clearRow(index);
    }
    ExchangeReadResult result;
    if (firstCutRow)
        result.notes.push_back(cutCellsNote(*firstCutRow));
    for (std::string& note : keepStorable(diagram))
        result.notes.push_back(std::move(note));
    return result;
}

} // namespace sigmora::io
