#include "io/dump/DrawnChanges.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "io/base/DrawnColumns.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"
#include "model/TextLines.h"
#include "render/Layout.h"
#include "render/TimeAxis.h"

namespace sigmora::io {

namespace {

namespace fields = model::fields;

constexpr std::string_view kUntitledBase = "diagram";
constexpr std::string_view kModuleSuffix = "_stimulus";
constexpr int kNoValueWidth = 8;

bool twoLine(char c) { return c == '3' || c == '4'; }

// When each character's change happens: where the drawing puts the edge (a slanted edge where its
// slant starts), as a time.
class RowTiming {
public:
    RowTiming(const model::Diagram& d, const render::Layout& l, int row, int cells, long long halfPeriodFs)
        : edges(d, l, row, cells - 1), cellWidth_(l.cellWidth), cells_(cells), halfPeriodFs_(halfPeriodFs)
    {
    }

    // x where the change into character k (column k - 1) is drawn; far left for character 0.
    long long changeX(int k) const { return edges.changeX(k - 1); }

    // Picoseconds of the change into character k (0 to cells, the last being the row's end).
    long long changeTime(int k) const
    {
        if (k <= 0)
            return 0;
        const long double cw = cellWidth_;
        // An offset moves a change by at most the whole row either way: a damaged table cannot
        // push it past what can be counted.
        const long double offset =
            std::clamp<long double>(static_cast<long double>(edges.offset(k - 1)), -k * cw, cells_ * cw);
        const long double fs = render::TimeAxis{halfPeriodFs_, cellWidth_}.changeFs(k - 1, offset);
        return std::max(0LL, std::llround(fs / kFemtosecondsPerPicosecond));
    }

    const ColumnEdges edges;

private:
    int cellWidth_;
    int cells_;
    long long halfPeriodFs_;
};

struct RowSource {
    int index;
    std::string name;
    bool clock;
    bool bus;
    std::string cells; // the drawn characters
};

} // namespace

void applyOutputDelay(TimedRows& rows, std::optional<long long> delay)
{
    for (TimedRow& row : rows.rows) {
        if (row.clock)
            continue;
        const long long by = delay ? *delay : std::max(row.slant, kMinOutputDelayPs);
        for (TimedChange& change : row.changes)
            if (change.time > 0)
                change.time += by;
        if (!row.changes.empty())
            rows.endTime = std::max(rows.endTime, row.changes.back().time);
    }
}

std::string diagramBaseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const std::size_t dot = base.rfind('.');
    if (dot != std::string_view::npos && dot > 0)
        base = base.substr(0, dot);
    return base.empty() ? std::string(kUntitledBase) : std::string(base);
}

TimedRows timedRows(const model::Diagram& diagram, std::string_view baseName, HdlLanguage language,
                    long long halfPeriodFs)
{
    TimedRows out;
    render::Layout layout = render::Layout::from(diagram.settings);
    layout.verticalScroll = 0;
    const int cells = std::clamp(layout.drawnCells(), 0, model::kMaxCells);

    std::vector<RowSource> sources;
    const model::RecordList& signals = diagram.store.signals();
    for (int i = 0; i < signals.count() && cells > 0; ++i) {
        const model::SignalRow row = model::parseSignalRow(signals.get(i));
        if (row.separator)
            continue;
        RowSource s{i, std::string(row.name), row.clock, false, {}};
        bool drawn = false;
        for (int k = 0; k < cells; ++k) {
            const char c = drawnCharacter(row.waveform, k);
            s.cells += c;
            drawn = drawn || (c >= '0' && c <= '4');
            s.bus = s.bus || (!row.clock && twoLine(c));
        }
        if (drawn)
            sources.push_back(std::move(s));
    }
    if (sources.empty()) {
        out.error = "The diagram has no drawn rows to export.";
        return out;
    }

    const std::string fileBase = diagramBaseName(baseName);
    out.baseName = legalPrefix(fileBase, language);
    // A bus named with its range ("data[7:0]") is named without it: the range is its width.
    std::vector<std::string> names;
    for (const RowSource& s : sources) {
        const auto range = s.bus ? nameRange(fields::decodePeriods(s.name)) : std::nullopt;
        names.push_back(range ? fields::encodePeriods(range->base) : s.name);
    }
    const RowIdentifiers ids = rowIdentifiers(names, language, {out.baseName + std::string(kModuleSuffix)});
    if (!ids.ok) {
        out.error = ids.error;
        return out;
    }
    if (out.baseName != fileBase)
        out.renamings.push_back("The diagram's name \"" + model::singleLineText(fileBase) + "\" is written as " +
                                out.baseName + ".");
    for (const std::string& renaming : ids.renamings)
        out.renamings.push_back(renaming);

    const BusValueBoxes boxes(diagram, layout);
    for (std::size_t r = 0; r < sources.size(); ++r) {
        const RowSource& s = sources[r];
        const RowTiming timing(diagram, layout, s.index, cells, halfPeriodFs);
        // Character k is column k - 1.
        auto hatched = [&](int k) { return k >= 1 && hatchedColumn(diagram, s.index, k - 1); };
        // The number (or x, z) of each bus run, by the run's first character.
        std::vector<BusNumber> runValue(static_cast<std::size_t>(cells));
        const auto range = s.bus ? nameRange(fields::decodePeriods(s.name)) : std::nullopt;
        int width = 0;
        if (s.bus) {
            for (int k = 0; k < cells; ++k) {
                const char c = s.cells[static_cast<std::size_t>(k)];
                if (!twoLine(c) || (k > 0 && s.cells[static_cast<std::size_t>(k - 1)] == c))
                    continue;
                int end = k;
                while (end < cells && s.cells[static_cast<std::size_t>(end)] == c)
                    ++end;
                if (const BusValueBoxes::Box* box = boxes.on(s.index, timing.changeX(k), timing.changeX(end))) {
                    const std::string text(model::trimBlanks(box->text));
                    const BusNumber n = parseBusNumber(text);
                    const std::string shows = "The bus " + model::singleLineText(s.name) + " shows \"" + text +
                                              "\" at cell " + std::to_string(std::max(k - 1, 0));
                    if (!n.ok) {
                        out.error = shows + ", which is not a number (write 0x3A, 3Ah, 58, 0b111010 or 8'h3A).";
                        return out;
                    }
                    if (range && n.width() > range->width) {
                        out.error = shows + ", a number wider than its " + std::to_string(range->width) + " bits.";
                        return out;
                    }
                    width = std::max(width, n.sized ? *n.sized : n.width());
                    runValue[static_cast<std::size_t>(k)] = n;
                }
            }
        }
        TimedRow timed;
        timed.name = model::singleLineText(s.name);
        timed.identifier = ids.identifiers[r];
        timed.clock = s.clock;
        if (!model::parseSignalRow(signals.get(s.index)).ideal && layout.cellWidth > 0)
            timed.slant = std::llround(static_cast<long double>(std::min(layout.slantWidth, layout.cellWidth)) /
                                       layout.cellWidth * static_cast<long double>(halfPeriodFs) /
                                       kFemtosecondsPerPicosecond);
        // A bus is as wide as its name's range, else as its widest number (8 bits without one).
        timed.width = !s.bus ? 1 : range ? range->width : width == 0 ? kNoValueWidth : width;
        const std::string allX(static_cast<std::size_t>(timed.width), 'x');
        BusNumber run;
        for (int k = 0; k < cells; ++k) {
            const char c = s.cells[static_cast<std::size_t>(k)];
            if (twoLine(c) && (k == 0 || s.cells[static_cast<std::size_t>(k - 1)] != c))
                run = runValue[static_cast<std::size_t>(k)];
            std::string value;
            if (hatched(k) || !(c >= '0' && c <= '4') || (!s.bus && twoLine(c)))
                value = allX;
            else if (c == '2')
                value = std::string(static_cast<std::size_t>(timed.width), 'z');
            else if (!s.bus)
                value = std::string(1, c);
            else if (!twoLine(c))
                value = std::string(static_cast<std::size_t>(timed.width), c);
            else if (!run.ok)
                value = allX;
            else
                value = run.fitted(timed.width);
            const long long t = std::max(timing.changeTime(k), timed.changes.empty() ? 0 : timed.changes.back().time);
            if (!timed.changes.empty() && timed.changes.back().time == t)
                timed.changes.back().value = value; // a change drawn on top of the one before wins
            else if (timed.changes.empty() || timed.changes.back().value != value)
                timed.changes.push_back({t, value});
            // Two changes at one time may have brought back the value before them.
            const std::size_t n = timed.changes.size();
            if (n >= 2 && timed.changes[n - 1].value == timed.changes[n - 2].value)
                timed.changes.pop_back();
        }
        out.endTime = std::max({out.endTime, timing.changeTime(cells), timed.changes.back().time});
        out.rows.push_back(std::move(timed));
    }
    // A dump counts in picoseconds: a cell time only when it is a whole number of them.
    out.cellTime = halfPeriodFs % kFemtosecondsPerPicosecond == 0 ? halfPeriodFs / kFemtosecondsPerPicosecond : 0;
    out.ok = true;
    return out;
}

} // namespace sigmora::io
