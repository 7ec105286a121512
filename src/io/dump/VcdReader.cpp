#include "io/dump/VcdReader.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "io/base/DiagramBuilder.h"
#include "io/dump/BusNumbers.h"
#include "io/dump/VcdParser.h"
#include "io/native/DiagramLimits.h"

namespace sigmora::io {

namespace {

constexpr int kMaxColumns = 599; // the first character of a row is the level entering column 0
constexpr int kMaxRows = 256;
constexpr char kHatch = 'x';

std::string lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view leafName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

// Counts changes per code and the first and last time.
struct SurveyHandler {
    std::vector<long long> changes;
    long long first = -1, last = 0;
    bool time(long long t)
    {
        if (first < 0)
            first = t;
        last = t;
        return true;
    }
    void change(int id, std::string_view) { ++changes[static_cast<std::size_t>(id)]; }
};

// A value as many bits as the variable is wide, in lower case, extended on the left as the dump
// format says (by 0 under a leading 1, else by the leading bit).
std::string normalised(std::string_view value, int width)
{
    std::string bits = lower(value);
    for (char& c : bits)
        c = c == 'h' ? '1' : c == 'l' ? '0' : (c == '0' || c == '1' || c == 'z') ? c : 'x'; // weak levels count
    if (bits.empty())
        bits = "x";
    const std::size_t w = static_cast<std::size_t>(width);
    if (bits.size() > w)
        return bits.substr(bits.size() - w);
    const char pad = bits.front() == '1' ? '0' : bits.front();
    return std::string(w - bits.size(), pad) + bits;
}

// The level of a 1-bit value: its last bit, as normalised() makes it.
char levelOf(std::string_view value)
{
    if (value.empty())
        return 'x';
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(value.back())));
    return c == 'h' ? '1' : c == 'l' ? '0' : (c == '0' || c == '1' || c == 'z') ? c : 'x';
}

// One row of the diagram as it is filled cell by cell.
struct RowState {
    int slot = 0;
    int width = 1;
    ImportedRow row;
    std::string lastValue;
    bool lastWasBus = false;
    char phase = '3';

    void addCell(const std::string& v)
    {
        const int column = static_cast<int>(row.cells.size());
        char cell;
        bool hatch = false;
        if (width == 1) {
            cell = v[0] == 'z' ? '2' : v[0];
            hatch = v[0] == kHatch;
            if (hatch)
                cell = '2';
            lastWasBus = false;
        } else if (v.find_first_not_of('z') == std::string::npos) {
            cell = '2';
            lastWasBus = false;
        } else {
            if (!lastWasBus || v != lastValue) {
                phase = phase == '4' ? '3' : '4';
                row.values.emplace_back(column, busNumberText(v));
            }
            cell = phase;
            hatch = v.find_first_not_of('x') == std::string::npos;
            lastWasBus = true;
        }
        lastValue = v;
        row.cells += cell;
        row.hatched.push_back(hatch);
    }
};

// The latest value of every sampled variable as the dump wrote it, but no longer than the variable
// is wide (the bits further left never show), all in one block of bytes.
class SlotValues {
public:
    int add(int width)
    {
        offsets_.push_back(bytes_.size());
        widths_.push_back(static_cast<std::size_t>(width));
        lengths_.push_back(static_cast<std::size_t>(width));
        bytes_.insert(bytes_.end(), static_cast<std::size_t>(width), 'x');
        return static_cast<int>(offsets_.size()) - 1;
    }
    void set(int slot, std::string_view value)
    {
        const std::size_t k = static_cast<std::size_t>(slot);
        if (value.size() == 1) {
            bytes_[offsets_[k]] = value[0];
        } else {
            if (value.size() > widths_[k])
                value.remove_prefix(value.size() - widths_[k]);
            if (!value.empty())
                std::memcpy(bytes_.data() + offsets_[k], value.data(), value.size());
        }
        lengths_[k] = value.size();
    }
    std::string_view get(int slot) const
    {
        const std::size_t k = static_cast<std::size_t>(slot);
        return std::string_view(bytes_.data() + offsets_[k], lengths_[k]);
    }
    int count() const { return static_cast<int>(offsets_.size()); }

private:
    std::vector<char> bytes_;
    std::vector<std::size_t> offsets_, widths_, lengths_;
};

// Samples the chosen variables at the middle of every half-cycle of the clock.
class Sampler {
public:
    Sampler(int codes, std::optional<long long> from, std::optional<long long> to) : from_(from), to_(to)
    {
        slotOfCode_.assign(static_cast<std::size_t>(codes), -1);
    }

    int slotFor(int code, int width)
    {
        int& slot = slotOfCode_[static_cast<std::size_t>(code)];
        if (slot < 0)
            slot = current_.add(width);
        return slot;
    }
    void setClock(int slot) { clockSlot_ = slot; }
    // Cells of a fixed time instead of a clock's half-cycles: the first starts at `first`.
    void setCellTime(long long cellTime, long long first)
    {
        clockSlot_ = -1;
        cellTime_ = cellTime;
        nextBoundary_ = first;
    }
    // The last time the dump wrote, and whether the dump ended before time t without the window
    // or the diagram having ended the reading first.
    long long lastTime() const { return now_; }
    bool endsBefore(long long t) const { return !done_ && now_ < t; }
    std::vector<RowState> rows;

    bool time(long long t)
    {
        if (timeSeen_ && t != now_)
            endOfTime();
        // Fixed cells: every boundary before this time, after the changes at it were taken.
        while (cellTime_ > 0 && !done_ && nextBoundary_ < t) {
            boundary(nextBoundary_);
            nextBoundary_ += cellTime_;
        }
        timeSeen_ = true;
        now_ = t;
        return !done_ && error.empty();
    }

    // Values are kept as the dump writes them and made bits only when a cell takes them; the
    // clock's level is followed at every change.
    void change(int code, std::string_view value)
    {
        const int slot = slotOfCode_[static_cast<std::size_t>(code)];
        if (slot < 0 || done_)
            return;
        if (slot == clockSlot_)
            clockLevel_ = levelOf(value);
        if (started_) {
            if (pending_.size() >= kMaxPendingChanges) {
                error = "more than " + std::to_string(kMaxPendingChanges) +
                        " value changes within one half-cycle of the clock after time " + std::to_string(lastEdge_) +
                        "; choose a faster clock";
                done_ = true;
                return;
            }
            pending_.push_back({slot, now_, std::string(value)});
        }
        current_.set(slot, value);
    }

    // At the end of the dump: a last half-cycle that the dump's final time stamp closes (as long
    // as the one before it) is a cell too, though no edge ends it. A dump this program writes
    // ends so, with the diagram's end.
    void finishStream()
    {
        if (timeSeen_ && !done_)
            endOfTime();
        // Fixed cells end with the dump's final time stamp.
        while (cellTime_ > 0 && !done_ && timeSeen_ && nextBoundary_ <= now_) {
            boundary(nextBoundary_);
            nextBoundary_ += cellTime_;
        }
        if (cellTime_ > 0)
            return;
        if (started_ && !done_ && halfCycle_ > 0 && now_ - lastEdge_ >= halfCycle_ && cells_ < kMaxColumns &&
            !(to_ && lastEdge_ + halfCycle_ > *to_)) {
            emitCell(lastEdge_ + halfCycle_ / 2);
            lastEdge_ += halfCycle_;
        }
    }

    int cells() const { return cells_; }
    bool started() const { return started_; }
    std::string error;
    std::string cutNote;

private:
    struct Change {
        int slot;
        long long time;
        std::string value;
    };

    // The end of the values of one time: an edge of the clock when its level changed.
    void endOfTime()
    {
        const char level = clockLevel_;
        if (level != '0' && level != '1')
            return;
        const bool edge = lastLevel_ != 0 && level != lastLevel_;
        lastLevel_ = level;
        if (!edge)
            return;
        if (!started_ && from_ && now_ < *from_)
            return;
        boundary(now_);
    }

    // A boundary between cells at time t (an edge of the clock, or of fixed cells): the first
    // starts the cells, each later one ends the cell before it, sampled at its middle.
    void boundary(long long t)
    {
        if (!started_) {
            if (to_ && t > *to_) {
                done_ = true;
                return;
            }
            started_ = true;
            startEdge(t);
            return;
        }
        if (cells_ == kMaxColumns) {
            cutNote = "The diagram holds " + std::to_string(kMaxColumns) + " cells: the dump was cut at time " +
                      std::to_string(lastEdge_) + ".";
            done_ = true;
            return;
        }
        emitCell(lastEdge_ + (t - lastEdge_) / 2);
        halfCycle_ = t - lastEdge_;
        startEdge(t);
        if (to_ && t > *to_)
            done_ = true;
    }

    void startEdge(long long t)
    {
        snapshot_ = current_;
        pending_.clear();
        lastEdge_ = t;
    }

    void emitCell(long long middle)
    {
        std::vector<std::string_view> values;
        for (int slot = 0; slot < snapshot_.count(); ++slot)
            values.push_back(snapshot_.get(slot));
        for (const Change& c : pending_)
            if (c.time <= middle)
                values[static_cast<std::size_t>(c.slot)] = c.value;
        for (RowState& r : rows)
            r.addCell(normalised(values[static_cast<std::size_t>(r.slot)], r.width));
        ++cells_;
    }

    std::optional<long long> from_, to_;
    std::vector<int> slotOfCode_;
    SlotValues current_, snapshot_;
    std::vector<Change> pending_;
    int clockSlot_ = 0;
    char clockLevel_ = 'x';
    char lastLevel_ = 0;
    bool started_ = false, done_ = false, timeSeen_ = false;
    long long now_ = 0, lastEdge_ = 0;
    long long halfCycle_ = 0; // the length of the last half-cycle the clock closed
    long long cellTime_ = 0, nextBoundary_ = 0; // fixed cells: their time and the next boundary
    int cells_ = 0;
};

// A name without the range at its end ("dout[7:0]" is dout).
std::string_view withoutRange(std::string_view name)
{
    if (name.empty() || name.back() != ']')
        return name;
    const std::size_t open = name.rfind('[');
    return open == std::string_view::npos || open == 0 ? name : name.substr(0, open);
}

bool endsWithScoped(std::string_view full, std::string_view name)
{
    return full.size() > name.size() && full.substr(full.size() - name.size()) == name &&
           full[full.size() - name.size() - 1] == '.';
}

// A variable asked for by name: its whole name, or its end after a scope, each with or without the
// range of a vector. An end that several variables share is refused with their names.
struct FoundVariable {
    int index = -1;
    std::string error;
};
FoundVariable findVariable(const std::vector<VcdVariable>& vars, const std::string& name)
{
    for (std::size_t i = 0; i < vars.size(); ++i)
        if (vars[i].name == name)
            return {static_cast<int>(i), {}};
    const std::string_view bare = withoutRange(name);
    for (std::size_t i = 0; i < vars.size(); ++i)
        if (withoutRange(vars[i].name) == bare)
            return {static_cast<int>(i), {}};
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < vars.size(); ++i)
        if (endsWithScoped(vars[i].name, name) || endsWithScoped(withoutRange(vars[i].name), bare))
            matches.push_back(i);
    // Aliases (one wire under several scopes) are one signal.
    std::vector<std::size_t> distinct;
    for (std::size_t i : matches)
        if (std::none_of(distinct.begin(), distinct.end(), [&](std::size_t j) { return vars[j].code == vars[i].code; }))
            distinct.push_back(i);
    // One match nearer the top than all others is the one meant: "clock" is top.clock, not the
    // top.dut.clock it drives.
    const auto depth = [&](std::size_t i) { return std::count(vars[i].name.begin(), vars[i].name.end(), '.'); };
    std::stable_sort(distinct.begin(), distinct.end(), [&](std::size_t a, std::size_t b) { return depth(a) < depth(b); });
    if (distinct.size() > 1 && depth(distinct[0]) < depth(distinct[1]))
        return {static_cast<int>(distinct[0]), {}};
    if (distinct.size() > 1) {
        std::string names;
        for (std::size_t k = 0; k < distinct.size() && k < 8; ++k)
            names += (k ? ", " : "") + vars[distinct[k]].name;
        if (distinct.size() > 8)
            names += ", ...";
        return {-1, "The name " + name + " matches several signals of the dump (" + names + "): give more of its name."};
    }
    return {matches.empty() ? -1 : static_cast<int>(matches.front()), {}};
}

// Length of the leading scopes (each with its '.') that every chosen name shares.
std::size_t commonScopeLength(const std::vector<std::string>& names)
{
    std::size_t common = std::string::npos;
    const std::string& first = names.front();
    for (const std::string& n : names) {
        std::size_t k = 0, scopes = 0;
        for (; k < n.size() && k < first.size() && n[k] == first[k]; ++k)
            if (n[k] == '.')
                scopes = k + 1;
        common = std::min(common, scopes);
    }
    return common;
}

// What a refresh needs to read the dump again in the same way (the path is the caller's).
model::DumpSource dumpSource(const VcdChoice& choice, const std::vector<VcdVariable>& vars, const std::vector<int>& chosen,
                             int clock, const std::vector<RowState>& rows)
{
    model::DumpSource source;
    if (clock >= 0)
        source.clock = vars[static_cast<std::size_t>(clock)].name;
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        source.signals.push_back(vars[static_cast<std::size_t>(chosen[k])].name);
        source.rows.push_back(rows[k].row.name);
    }
    source.from = choice.from;
    source.to = choice.to;
    if (clock < 0)
        source.cellTime = choice.cellTime;
    return source;
}

ImportResult failed(std::string error)
{
    ImportResult r;
    r.error = std::move(error);
    return r;
}

} // namespace

VcdSurvey surveyVcd(std::istream& in)
{
    VcdSurvey survey;
    VcdParser parser(in);
    if (!parser.readHeader(survey)) {
        survey.error = parser.error();
        return survey;
    }
    SurveyHandler handler;
    handler.changes.assign(static_cast<std::size_t>(parser.codeCount()), 0);
    if (!parser.readBody(handler)) {
        survey.error = parser.error();
        return survey;
    }
    for (VcdVariable& v : survey.variables)
        v.changes = handler.changes[static_cast<std::size_t>(parser.codeOf(v.code))];
    survey.firstTime = std::max(handler.first, 0LL);
    survey.lastTime = handler.last;
    survey.ok = true;
    return survey;
}

VcdSurvey readVcdHeader(std::istream& in)
{
    VcdSurvey header;
    VcdParser parser(in);
    header.ok = parser.readHeader(header);
    if (!header.ok)
        header.error = parser.error();
    return header;
}

namespace {

// A 1-bit variable whose own name is like "clk" or "clock".
bool namedLikeAClock(const VcdVariable& v)
{
    if (v.width != 1 || v.real)
        return false;
    const std::string leaf = lower(leafName(v.name));
    return leaf.find("clk") != std::string::npos || leaf.find("clock") != std::string::npos;
}

} // namespace

bool defaultVcdClockNeedsCounts(const VcdSurvey& header)
{
    return std::count_if(header.variables.begin(), header.variables.end(), namedLikeAClock) != 1;
}

std::string defaultVcdClock(const VcdSurvey& survey)
{
    const VcdVariable* best = nullptr;
    for (int pass = 0; pass < 2 && best == nullptr; ++pass) {
        for (const VcdVariable& v : survey.variables) {
            if (v.width != 1 || v.real)
                continue;
            const bool named = namedLikeAClock(v);
            // A dump read without a survey has no counts: a clock's name is enough.
            if ((pass == 0 && !named) || (pass == 1 && v.changes == 0))
                continue;
            if (best == nullptr || v.changes > best->changes)
                best = &v;
        }
    }
    return best ? best->name : std::string();
}

ImportResult readVcd(std::istream& in, const VcdChoice& choice, model::Diagram& diagram,
                     const model::TextMeasurer& measurer)
{
    if (choice.from && choice.to && *choice.from >= *choice.to)
        return failed("The time window is empty: it starts at time " + std::to_string(*choice.from) +
                      ", not before its end at time " + std::to_string(*choice.to) + ".");
    VcdSurvey header;
    VcdParser parser(in);
    if (!parser.readHeader(header))
        return failed(parser.error());
    const std::vector<VcdVariable>& vars = header.variables;
    // Fixed cells have no clock; else the clock named, or the default one.
    const bool fixedCells = choice.cellTime && *choice.cellTime > 0;
    int clock = -1;
    if (!fixedCells) {
        const FoundVariable foundClock = findVariable(vars, choice.clock.empty() ? defaultVcdClock(header) : choice.clock);
        if (!foundClock.error.empty())
            return failed(foundClock.error);
        clock = foundClock.index;
        if (clock < 0 || vars[static_cast<std::size_t>(clock)].width != 1 || vars[static_cast<std::size_t>(clock)].real)
            return failed(choice.clock.empty() ? "The dump has no 1-bit signal named like a clock: name one."
                                               : "The dump has no 1-bit signal named " + choice.clock + ".");
    }
    ImportResult result;
    std::vector<int> chosen;
    if (clock >= 0)
        chosen.push_back(clock);
    int reals = 0, wide = 0;
    auto choose = [&](int index) {
        const VcdVariable& v = vars[static_cast<std::size_t>(index)];
        if (v.real)
            ++reals;
        else if (v.width > kMaxVcdWidth)
            ++wide;
        else if (index != clock)
            chosen.push_back(index);
    };
    if (choice.signals.empty()) {
        for (std::size_t i = 0; i < vars.size(); ++i)
            choose(static_cast<int>(i));
    } else {
        for (const std::string& name : choice.signals) {
            const FoundVariable found = findVariable(vars, name);
            if (!found.error.empty())
                return failed(found.error);
            if (found.index < 0)
                return failed("The dump has no signal named " + name + ".");
            choose(found.index);
        }
    }
    if (wide)
        result.notes.push_back(std::to_string(wide) + " vector(s) wider than " + std::to_string(kMaxVcdWidth) +
                               " bits were left out.");
    if (reals)
        result.notes.push_back(std::to_string(reals) + " real-valued variable(s) were left out: the diagram has no rows for them.");
    if (chosen.empty())
        return failed("The dump has no signal to show.");
    if (chosen.size() > static_cast<std::size_t>(kMaxRows)) {
        result.notes.push_back(std::to_string(chosen.size() - kMaxRows) + " signal(s) from " +
                               vars[static_cast<std::size_t>(chosen[kMaxRows])].name + " on were left out: a diagram has " +
                               std::to_string(kMaxRows) + " rows.");
        chosen.resize(kMaxRows);
    }
    std::vector<std::string> names;
    for (int index : chosen)
        names.push_back(vars[static_cast<std::size_t>(index)].name);
    const std::size_t scope = commonScopeLength(names);

    Sampler sampler(parser.codeCount(), choice.from, choice.to);
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const VcdVariable& v = vars[static_cast<std::size_t>(chosen[k])];
        RowState r;
        r.slot = sampler.slotFor(parser.codeOf(v.code), v.width);
        r.width = v.width;
        r.row.name = names[k].substr(scope);
        // A vector keeps its declared width in its name, which the exports take it from.
        if (v.width > 1 && (r.row.name.empty() || r.row.name.back() != ']'))
            r.row.name += "[" + std::to_string(v.width - 1) + ":0]";
        // The clock, and any other name the dump gives the same wire, become clock rows.
        r.row.clock = clock >= 0 ? k == 0 || v.code == vars[static_cast<std::size_t>(clock)].code : namedLikeAClock(v);
        r.row.risingArrows = r.row.clock; // as a new clock row has them
        sampler.rows.push_back(std::move(r));
    }
    if (fixedCells)
        sampler.setCellTime(*choice.cellTime, choice.from.value_or(0) + *choice.cellTime);
    else
        sampler.setClock(sampler.rows.front().slot);
    if (!parser.readBody(sampler))
        return failed(parser.error());
    sampler.finishStream();
    if (!sampler.error.empty())
        return failed(sampler.error);
    // A window that starts where the dump has ended holds no edge: say where the dump ends.
    if (sampler.cells() == 0 && choice.from && (sampler.endsBefore(*choice.from) || sampler.lastTime() == *choice.from))
        return failed("The dump ends at time " + std::to_string(sampler.lastTime()) +
                      ", before the window starts at time " + std::to_string(*choice.from) + ".");
    if (sampler.cells() == 0 && fixedCells)
        return failed("The dump holds no whole cell of " + std::to_string(*choice.cellTime) + " time units.");
    if (sampler.cells() == 0)
        return failed("The clock " + vars[static_cast<std::size_t>(clock)].name +
                      " has fewer than two edges" + (choice.from || choice.to ? " inside the time window." : "."));
    if (!sampler.cutNote.empty())
        result.notes.push_back(sampler.cutNote);
    else if (choice.to && sampler.endsBefore(*choice.to))
        result.notes.push_back("The dump ends at time " + std::to_string(sampler.lastTime()) +
                               ", before the end of the window at time " + std::to_string(*choice.to) +
                               ": the diagram holds what the dump has up to there.");

    DiagramBuilder builder(diagram, measurer);
    for (RowState& r : sampler.rows) {
        r.row.entry = r.row.clock ? (r.row.cells.front() == '1' ? '0' : '1') : 0;
        builder.addRow(r.row);
    }
    builder.finish(sampler.cells());
    diagram.extension.dump = dumpSource(choice, vars, chosen, clock, sampler.rows);
    for (std::string& note : keepStorable(diagram))
        result.notes.push_back(std::move(note));
    result.ok = true;
    return result;
}

} // namespace sigmora::io
