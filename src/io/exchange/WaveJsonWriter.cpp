#include "io/exchange/WaveJsonWriter.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "io/base/DrawnColumns.h"
#include "io/exchange/JsonDocument.h"
#include "io/exchange/WaveJsonAnnotations.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"
#include "model/TextLines.h"
#include "render/Layout.h"
#include "render/TextMarkup.h"

namespace sigmora::io {

namespace {

namespace fields = model::fields;

constexpr std::string_view kDefaultSeparatorName = "separator";

// What one column shows, in WaveJSON's terms: '0', '1', 'z', 'x' or '=' (a bus value, with the
// number of its run so that two neighbouring values stay apart).
struct Cell {
    char kind = 'x';
    int run = -1;
    bool operator==(const Cell&) const = default;
};


// One lane's wave with its data labels and timing.
struct Lane {
    std::string wave;
    std::vector<std::string> data;
    double period = 1;
    double phase = 0;
};

// What each column shows, as the drawing shows it (column k is character k + 1 of the waveform);
// a hatched column is undefined, whatever its value.
std::vector<Cell> rowCells(const model::Diagram& d, int row, std::string_view waveform, int count)
{
    std::vector<Cell> cells(static_cast<std::size_t>(count));
    int runs = 0;
    for (int k = 0; k < count; ++k) {
        const char c = columnValue(waveform, k);
        Cell& cell = cells[static_cast<std::size_t>(k)];
        if (k < model::kMaxCells && hatchedColumn(d, row, k)) {
            cell.kind = 'x';
            continue;
        }
        switch (c) {
        case '0':
        case '1': cell.kind = c; break;
        case '2': cell.kind = 'z'; break;
        case '3':
        case '4': {
            cell.kind = '=';
            const bool continues = k > 0 && cells[static_cast<std::size_t>(k - 1)].kind == '=' && columnValue(waveform, k - 1) == c;
            cell.run = continues ? cells[static_cast<std::size_t>(k - 1)].run : ++runs;
            break;
        }
        default: cell.kind = 'x'; break;
        }
    }
    return cells;
}

// Writes one character per group of columns: '.' when the group shows what the one before it
// showed, '=' with a data label for a new bus value, else the character of the group. A value's
// label is the text of the box the drawing shows on its run.
class WaveBuilder {
public:
    WaveBuilder(const BusValueBoxes& boxes, const ColumnEdges& edges, int row, const std::vector<Cell>& cells,
                std::set<std::size_t>& used)
        : boxes_(boxes), edges_(edges), row_(row), cells_(cells), used_(&used)
    {
    }
    void add(const Cell& cell, char character, int firstColumn)
    {
        if (previous_ && *previous_ == cell && previousChar_ == character) {
            lane.wave += '.';
            return;
        }
        lane.wave += character;
        if (character == '=')
            lane.data.push_back(valueText(firstColumn));
        previous_ = cell;
        previousChar_ = character;
    }
    Lane lane;

private:
    std::string valueText(int first) const
    {
        const int end = std::min(runEnd(first), edges_.columns()); // a run ends where the drawing does
        const BusValueBoxes::Box* box = boxes_.on(row_, edges_.changeX(first), edges_.changeX(end));
        if (box == nullptr)
            return {};
        used_->insert(box->index);
        return box->text;
    }
    int runEnd(int column) const
    {
        int k = column;
        while (static_cast<std::size_t>(k) < cells_.size() && cells_[static_cast<std::size_t>(k)] == cells_[static_cast<std::size_t>(column)])
            ++k;
        return k;
    }
    const BusValueBoxes& boxes_;
    const ColumnEdges& edges_;
    int row_;
    const std::vector<Cell>& cells_;
    std::set<std::size_t>* used_;
    std::optional<Cell> previous_;
    char previousChar_ = 0;
};

Cell at(const std::vector<Cell>& cells, int k) { return cells[static_cast<std::size_t>(k)]; }

// A clock row, one character per cycle: p (high then low), n, h or l.
std::optional<Lane> clockLane(WaveBuilder b, const std::vector<Cell>& cells, int count, const model::SignalRow& row)
{
    for (int k = 0; 2 * k < count; ++k) {
        const char first = at(cells, 2 * k).kind, second = at(cells, 2 * k + 1).kind;
        char c = 0;
        if (first == '1' && second == '0')
            c = row.risingArrows ? 'P' : 'p';
        else if (first == '0' && second == '1')
            c = row.fallingArrows ? 'N' : 'n';
        else if (first == second && (first == '0' || first == '1'))
            c = first == '1' ? 'h' : 'l';
        else
            return std::nullopt;
        b.add(Cell{c, -1}, c, 2 * k);
    }
    return b.lane;
}

// One character per cycle, cycles starting at column `shift` - 1 (shift 1: half a cycle earlier).
// Only the columns written decide: the half of the last shifted cycle past them does not.
std::optional<Lane> cycleLane(WaveBuilder b, const std::vector<Cell>& cells, int count, int shift)
{
    for (int first = -shift; first < count; first += 2) {
        const Cell a = at(cells, std::max(first, 0)), c = at(cells, first + 1);
        if (first + 1 < count && !(a == c))
            return std::nullopt;
        b.add(a, a.kind, std::max(first, 0));
    }
    if (shift != 0)
        b.lane.phase = 0.5;
    return b.lane;
}

// One character per cell.
Lane cellLane(WaveBuilder b, const std::vector<Cell>& cells, int count)
{
    for (int k = 0; k < count; ++k)
        b.add(at(cells, k), at(cells, k).kind, k);
    b.lane.period = 0.5;
    return b.lane;
}

std::string laneJson(std::string_view name, const Lane& lane, const std::string& nodes)
{
    std::string out = "{\"name\": " + jsonQuoted(name) + ", \"wave\": " + jsonQuoted(lane.wave);
    if (!nodes.empty())
        out += ", \"node\": " + jsonQuoted(nodes);
    if (!lane.data.empty()) {
        out += ", \"data\": [";
        for (std::size_t k = 0; k < lane.data.size(); ++k)
            out += (k ? ", " : "") + jsonQuoted(lane.data[k]);
        out += "]";
    }
    if (lane.period != 1)
        out += ", \"period\": 0.5";
    if (lane.phase != 0)
        out += ", \"phase\": 0.5";
    return out + "}";
}

// One row's lane, with what deciding its last character needs: the columns it covers, and whether
// its last character covers the diagram's last column and one past it while that column only
// repeats the one before (a reader pads a shorter lane with its last value, so it comes back).
struct RowLane {
    std::string json; // a separator's spacer lane
    bool group = false; // a separator that opens a group
    std::string name;
    std::optional<Lane> lane;
    int extent = 0;
    bool repeatingHalf = false;
};

RowLane rowLane(const model::Diagram& d, const BusValueBoxes& boxes, const render::Layout& l, int index,
                std::set<std::size_t>& used)
{
    const std::string& record = d.store.signals().get(index);
    const model::SignalRow row = model::parseSignalRow(record);
    RowLane out;
    // A separator is a spacer lane; one with a name keeps it, which the peers draw as a label.
    if (row.separator) {
        out.name = model::singleLineText(row.name);
        // The name the program gives a new separator is no name of the user's.
        const bool named = !out.name.empty() && !model::startsWithIgnoringCase(out.name, kDefaultSeparatorName);
        out.json = named ? "{\"name\": " + jsonQuoted(out.name) + "}" : "{}";
        // A solid line named by the user (not the "separator" the program names it) heads a group.
        out.group = row.separatorKind == static_cast<int>(model::SeparatorKind::SolidLine) && named;
        return out;
    }
    // The columns the drawing shows, one character each when the lane needs it.
    const int n = drawnColumnCount(l);
    // Two columns more than are written, so that the last shifted cycle is whole.
    const std::vector<Cell> cells = rowCells(d, index, row.waveform, n + 2);
    const ColumnEdges edges(d, l, index, n);
    const WaveBuilder b(boxes, edges, index, cells, used);
    // A clock that shows anything but levels is written as a signal.
    std::optional<Lane> lane;
    if (row.clock)
        lane = clockLane(b, cells, n, row);
    int shift = 0;
    if (!lane)
        lane = cycleLane(b, cells, n, shift = 0);
    if (!lane)
        lane = cycleLane(b, cells, n, shift = 1);
    const int characters = lane ? static_cast<int>(lane->wave.size()) : 0;
    if (lane) {
        out.extent = 2 * characters - shift;
    } else {
        lane = cellLane(b, cells, n);
        out.extent = n;
    }
    out.repeatingHalf = out.extent == n + 1 && n >= 2 && at(cells, n - 1) == at(cells, n - 2);
    out.name = model::singleLineText(row.name);
    out.lane = std::move(lane);
    return out;
}

// The lanes from row `first` on as the items of a signal list, a group ending at the next
// separator (a group right after a group's separator is nested in it). Answers the row after them.
class SignalList {
public:
    SignalList(const std::vector<RowLane>& lanes, const WaveJsonAnnotations& extras, int rows)
        : lanes_(lanes), extras_(extras), rows_(rows)
    {
    }
    std::string items()
    {
        std::string out;
        int i = 0;
        while (i < rows_)
            out += (out.empty() ? "\n  " : ",\n  ") + item(i);
        return out;
    }

private:
    std::string item(int& i)
    {
        const RowLane& r = lanes_[static_cast<std::size_t>(i++)];
        if (r.lane)
            return laneJson(r.name, *r.lane, extras_.nodes(i - 1));
        if (!r.group)
            return r.json;
        std::string out = "[" + jsonQuoted(r.name);
        if (i < rows_ && lanes_[static_cast<std::size_t>(i)].group)
            out += ", " + item(i);
        else
            while (i < rows_ && lanes_[static_cast<std::size_t>(i)].lane)
                out += ", " + item(i);
        return out + "]";
    }

    const std::vector<RowLane>& lanes_;
    const WaveJsonAnnotations& extras_;
    int rows_;
};

// The head's or foot's text: a string, or where it holds subscripts or overlines the rich text
// WaveDrom draws, a JsonML tspan whose marked runs are tspans shifted to the baseline below or
// overlined.
std::string sideText(const std::string& text)
{
    if (!render::hasMarkup(text))
        return jsonQuoted(text);
    std::string out = "[\"tspan\"";
    for (const render::TextRun& run : render::markupRuns(text)) {
        const std::string part = jsonQuoted(run.text);
        switch (run.style) {
        case render::RunStyle::Plain: out += ", " + part; break;
        case render::RunStyle::Subscript: out += ", [\"tspan\", {\"baseline-shift\": \"sub\"}, " + part + "]"; break;
        case render::RunStyle::Overline: out += ", [\"tspan\", {\"text-decoration\": \"overline\"}, " + part + "]"; break;
        }
    }
    return out + "]";
}

} // namespace

WaveJsonExport waveJsonExport(const model::Diagram& diagram)
{
    render::Layout layout = render::Layout::from(diagram.settings);
    layout.firstVisibleCell = 0;
    layout.verticalScroll = 0;
    const BusValueBoxes boxes(diagram, layout);
    int rows = diagram.store.signalCount();
    std::vector<RowLane> lanes;
    std::set<std::size_t> valueTexts;
    for (int i = 0; i < rows; ++i)
        lanes.push_back(rowLane(diagram, boxes, layout, i, valueTexts));
    // Where one lane ends with the diagram, a half cycle past the end that only repeats is left
    // off the others: a lane shifted by half a cycle is written back as long as it was read.
    const int n = drawnColumnCount(layout);
    const bool oneEndsWithTheDiagram =
        std::any_of(lanes.begin(), lanes.end(), [n](const RowLane& r) { return r.lane && r.extent == n; });
    std::vector<LaneShape> shapes;
    int longest = 0; // columns the longest lane covers
    for (RowLane& r : lanes) {
        if (oneEndsWithTheDiagram && r.repeatingHalf) {
            r.lane->wave.pop_back();
            r.extent -= 2;
        }
        if (r.lane)
            longest = std::max(longest, r.extent);
        LaneShape shape;
        if (r.lane) {
            shape.step = r.lane->period == 1 ? 2 : 1;
            shape.shift = r.lane->phase != 0 ? 1 : 0;
            shape.wave = &r.lane->wave;
        }
        shapes.push_back(shape);
    }
    const WaveJsonAnnotations extras(diagram, layout, shapes, valueTexts);
    if (extras.footRow)
        --rows; // the blank row that holds the foot is no lane
    WaveJsonExport out;
    out.text = "{\"signal\": [" + SignalList(lanes, extras, rows).items() + (rows ? "\n]" : "]");
    if (!extras.edges.empty()) {
        out.text += ",\n\"edge\": [";
        for (std::size_t k = 0; k < extras.edges.size(); ++k)
            out.text += (k ? ", " : "") + jsonQuoted(extras.edges[k]);
        out.text += "]";
    }
    if (!extras.head.empty())
        out.text += ",\n\"head\": {\"text\": " + sideText(extras.head) + "}";
    if (!extras.foot.empty())
        out.text += ",\n\"foot\": {\"text\": " + sideText(extras.foot) + "}";
    out.text += "}\n";
    out.notes = extras.notes;
    // A lane of whole cycles cannot end half-way through one: with an odd number of half-cycles
    // and no lane ending with them, a reader sees half a cycle more.
    if (longest > n)
        out.notes.push_back("The diagram's " + std::to_string(n) +
                            " half-cycles are written as whole cycles: read back, the diagram is half a cycle longer.");
    return out;
}

std::string waveJsonText(const model::Diagram& diagram)
{
    return waveJsonExport(diagram).text;
}

} // namespace sigmora::io
