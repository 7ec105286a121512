#include "io/dump/DumpImport.h"

#include <algorithm>

#include "io/native/DiagramLimits.h"

namespace sigmora::io {

using namespace sampling;

namespace {

std::string_view leafName(std::string_view name)
{
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(dot + 1);
}

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

ImportResult importDump(const VcdSurvey& header, int codeCount, const DumpCodeNumber& codeOf,
                        const DumpBodyReader& readBody, const VcdChoice& choice, model::Diagram& diagram,
                        const model::TextMeasurer& measurer)
{
    if (choice.from && choice.to && *choice.from >= *choice.to)
        return failed("The time window is empty: it starts at time " + std::to_string(*choice.from) +
                      ", not before its end at time " + std::to_string(*choice.to) + ".");
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

    Sampler sampler(codeCount, choice.from, choice.to);
    for (std::size_t k = 0; k < chosen.size(); ++k) {
        const VcdVariable& v = vars[static_cast<std::size_t>(chosen[k])];
        RowState r;
        r.slot = sampler.slotFor(codeOf(v.code), v.width);
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
    if (std::string error; !readBody(sampler, error))
        return failed(error);
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
