#include "edit/exchange/DumpRefresh.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "edit/annotations/TextBoxes.h"
#include "edit/exchange/EdgeAnchors.h"
#include "io/base/DiagramBuilder.h"
#include "io/exchange/ImportFiles.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "render/Layout.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

constexpr int kImportHatch = 2; // the diagonal cross the import hatches unknown cells with
// Arrow fields: the two ends' cells and rows, and their pixel x.
constexpr int kArrowStartX = 10;
constexpr int kArrowEndX = 12;

// One imported row found again: where it is, the row of the fresh reading that redraws it, and
// where its points go.
struct RedrawnRow {
    int row;
    int freshRow;
    bool bus;
    EdgeAnchors anchors;
};

class Refresh {
public:
    Refresh(model::Diagram& diagram, const model::Diagram& fresh, RefreshResult& result)
        : diagram_(diagram), fresh_(fresh), result_(result), oldLayout_(layoutOf(diagram)), freshLayout_(layoutOf(fresh))
    {
    }

    void addRow(int row, int freshRow)
    {
        const std::string_view oldCells = model::signal::waveform(diagram_.store.signals().get(row));
        const std::string_view newCells = model::signal::waveform(fresh_.store.signals().get(freshRow));
        const bool bus = oldCells.find_first_of("34") != std::string_view::npos ||
                         newCells.find_first_of("34") != std::string_view::npos;
        rows_.push_back({row, freshRow, bus,
                         EdgeAnchors(oldCells, columns(diagram_), newCells, columns(fresh_))});
    }

    // Every step reads the diagram as it was and the rows' old cells: the cells go last.
    void run()
    {
        moveArrows();
        moveLabels();
        moveTimeBreaks();
        moveTextBoxes();
        redrawFloods();
        redrawCells();
        diagram_.settings.cellCount = fresh_.settings.cellCount;
        diagram_.settings.waveformWidth = fresh_.settings.waveformWidth;
    }

private:
    static render::Layout layoutOf(const model::Diagram& d)
    {
        render::Layout layout = render::Layout::from(d.settings);
        layout.verticalScroll = 0;
        layout.firstVisibleCell = 0;
        return layout;
    }
    static int columns(const model::Diagram& d) { return d.settings.cellCount - 1; }

    const RedrawnRow* redrawn(std::string_view name) const
    {
        const auto known = byName_.find(name);
        if (known != byName_.end())
            return known->second;
        const int row = diagram_.store.findSignal(name);
        const RedrawnRow* found = nullptr;
        for (const RedrawnRow& r : rows_)
            if (r.row == row)
                found = &r;
        byName_.emplace(std::string(name), found);
        return found;
    }
    std::string rowName(int row) const
    {
        return fields::decodePeriods(fields::nameOfRow(diagram_.store.signals().get(row)));
    }

    // The new cell of a point at `cell` on the row named `name`: the same when the row is not
    // redrawn; nothing when its edge is gone.
    std::optional<int> place(int cell, std::string_view name) const
    {
        const RedrawnRow* r = redrawn(name);
        return r ? r->anchors.place(cell) : std::optional<int>(cell);
    }

    void unplaced(const std::string& what) { result_.unplaced.push_back(what + ": its edge is gone, it was left where it was."); }

    // An annotation with two ends (arrow or label): both placed, or the whole left as it was.
    // Answers the cells each end moved by.
    std::optional<std::pair<int, int>> moveEnds(model::RecordList& list, int index, const char* kind)
    {
        const std::string& record = list.get(index);
        const int from = fields::intField(record, 0), to = fields::intField(record, 2);
        const std::string fromName(fields::textField(record, 1).value_or(""));
        const std::string toName(fields::textField(record, 3).value_or(""));
        if (from < 0 || to < 0)
            return std::nullopt;
        const std::optional<int> newFrom = place(from, fromName), newTo = place(to, toName);
        if (!newFrom || !newTo) {
            unplaced(std::string(kind) + " from cell " + std::to_string(from) + " of " + fields::decodePeriods(fromName) +
                     " to cell " + std::to_string(to) + " of " + fields::decodePeriods(toName));
            return std::nullopt;
        }
        std::string moved = fields::withIntField(record, 0, *newFrom);
        moved = fields::withIntField(moved, 2, *newTo);
        list.replace(index, std::move(moved));
        return std::pair{*newFrom - from, *newTo - to};
    }

    void moveArrows()
    {
        model::RecordList& arrows = diagram_.store.list(model::ListId::Arrows);
        const int cw = diagram_.settings.cellWidth;
        for (int i = 0; i < arrows.count(); ++i) {
            const auto moved = moveEnds(arrows, i, "The arrow");
            if (!moved || (moved->first == 0 && moved->second == 0))
                continue;
            std::string record = arrows.get(i);
            // The stored end points (drawn as they are where an end floats) go with their cells.
            if (fields::hasField(record, kArrowEndX)) {
                record = fields::withIntField(record, kArrowStartX, fields::intField(record, kArrowStartX) + moved->first * cw);
                record = fields::withIntField(record, kArrowEndX, fields::intField(record, kArrowEndX) + moved->second * cw);
                arrows.replace(i, std::move(record));
            }
        }
    }

    void moveLabels()
    {
        model::RecordList& labels = diagram_.store.list(model::ListId::Labels);
        for (int i = 0; i < labels.count(); ++i)
            if (const auto moved = moveEnds(labels, i, "The label"))
                labelShifts_.emplace_back(i, (moved->first + moved->second) * diagram_.settings.cellWidth / 2);
    }

    void moveTimeBreaks()
    {
        model::RecordList& breaks = diagram_.store.list(model::ListId::TimeBreaks);
        for (int i = 0; i < breaks.count(); ++i) {
            const std::string& record = breaks.get(i);
            const int cell = fields::intField(record, 0);
            const std::string name(fields::textField(record, 1).value_or(""));
            if (cell < 0 || !redrawn(name))
                continue;
            const std::optional<int> moved = place(cell, name);
            if (!moved)
                unplaced("The time break at cell " + std::to_string(cell) + " of " + fields::decodePeriods(name));
            else
                breaks.replace(i, fields::withIntField(record, 0, *moved));
        }
    }

    static bool isBusValue(std::string_view text)
    {
        return text.starts_with("0x") || text == "x" || text == "z";
    }

    static std::string shifted(std::string_view record, int dx, int dy)
    {
        std::string r(record);
        for (int f : {model::textfield::Left, model::textfield::Right})
            r = fields::withIntField(r, f, fields::intField(r, f) + dx);
        for (int f : {model::textfield::Top, model::textfield::Bottom})
            r = fields::withIntField(r, f, fields::intField(r, f) + dy);
        return r;
    }

    // A bus row's values are written anew; a user's box on a row keeps its edge (the nearest cell
    // boundary to its left side, when that is an edge) or its place; a label's caption goes with
    // the label.
    void moveTextBoxes()
    {
        model::RecordList& texts = diagram_.store.list(model::ListId::Texts);
        const int cw = diagram_.settings.cellWidth;
        std::vector<std::string> kept;
        for (const std::string& record : texts.records()) {
            const std::string attachment(fields::textField(record, model::textfield::Attachment).value_or(""));
            const std::string message = fields::decodePeriods(fields::textField(record, model::textfield::Message).value_or(""));
            if (attachment.starts_with(kLabelTextPrefix)) {
                kept.push_back(captionMoved(record, attachment));
                continue;
            }
            const RedrawnRow* r = redrawn(attachment);
            if (!r) {
                kept.push_back(record);
                continue;
            }
            if (r->bus && isBusValue(message))
                continue; // written anew below
            const int left = fields::intField(record, model::textfield::Left);
            const int boundary = (left - oldLayout_.waveOriginX() + cw / 2) / std::max(1, cw);
            if (!r->anchors.onEdge(boundary)) {
                kept.push_back(record);
                continue;
            }
            const std::optional<int> moved = r->anchors.place(boundary);
            if (!moved) {
                unplaced("The text \"" + message.substr(0, 40) + "\" on " + rowName(r->row));
                kept.push_back(record);
                continue;
            }
            kept.push_back(shifted(record, (*moved - boundary) * cw, 0));
        }
        // The fresh reading's values by the row they are on, gathered once.
        std::map<std::string_view, std::vector<const std::string*>> freshTexts;
        for (const std::string& record : fresh_.store.list(model::ListId::Texts).records())
            freshTexts[fields::textField(record, model::textfield::Attachment).value_or("")].push_back(&record);
        for (const RedrawnRow& r : rows_)
            freshValues(r, freshTexts, kept);
        texts.clear();
        for (std::string& record : kept)
            texts.append(std::move(record));
    }

    std::string captionMoved(const std::string& record, const std::string& attachment) const
    {
        const int label = fields::cAtoi(std::string_view(attachment).substr(kLabelTextPrefix.size()));
        for (const auto& [index, dx] : labelShifts_)
            if (index == label && dx != 0)
                return shifted(record, dx, 0);
        return record;
    }

    // The values of the fresh reading's row, where the row stands in the diagram.
    void freshValues(const RedrawnRow& r, const std::map<std::string_view, std::vector<const std::string*>>& freshTexts,
                     std::vector<std::string>& texts) const
    {
        const std::string_view freshName = fields::nameOfRow(fresh_.store.signals().get(r.freshRow));
        const std::string_view name = fields::nameOfRow(diagram_.store.signals().get(r.row));
        const int dx = oldLayout_.waveOriginX() - freshLayout_.waveOriginX();
        const int dy = oldLayout_.rowTop(r.row) - freshLayout_.rowTop(r.freshRow);
        const auto found = freshTexts.find(freshName);
        if (found == freshTexts.end())
            return;
        for (const std::string* record : found->second)
            texts.push_back(fields::withTextField(shifted(*record, dx, dy), model::textfield::Attachment, name));
    }

    // The import's hatch of a row, not a user's flood: its cross over a tri-state cell, or over
    // any cell of a bus row.
    bool importHatch(const RedrawnRow& r, int column, int style) const
    {
        if (style != kImportHatch)
            return false;
        const std::string_view cells = model::signal::waveform(diagram_.store.signals().get(r.row));
        const std::size_t k = static_cast<std::size_t>(column) + 1;
        return r.bus || (k < cells.size() && cells[k] == '2');
    }

    void redrawFloods()
    {
        model::CellGrid& floods = diagram_.store.floodStyles();
        for (const RedrawnRow& r : rows_) {
            std::vector<std::int32_t> row(model::kMaxCells, 0);
            // The fresh reading's hatch first; a user's flood goes over it.
            for (int k = 0; k < model::kMaxCells; ++k)
                row[static_cast<std::size_t>(k)] = fresh_.store.floodStyles().get(r.freshRow, k);
            for (int a = 0; a < model::kMaxCells;) {
                const int style = floods.get(r.row, a);
                if (style == 0 || importHatch(r, a, style)) {
                    ++a;
                    continue;
                }
                int b = a + 1;
                while (b < model::kMaxCells && floods.get(r.row, b) == style)
                    ++b;
                placeFlood(r, a, b, style, row);
                a = b;
            }
            for (int k = 0; k < model::kMaxCells; ++k)
                floods.set(r.row, k, row[static_cast<std::size_t>(k)]);
        }
    }

    void placeFlood(const RedrawnRow& r, int a, int b, int style, std::vector<std::int32_t>& row)
    {
        // Each end on an edge goes with it; an end on no edge keeps the flood's length from the
        // other, when that one moves.
        std::optional<int> from = r.anchors.place(a), to = r.anchors.place(b);
        if (from && to && r.anchors.onEdge(a) && !r.anchors.onEdge(b))
            to = b + (*from - a);
        else if (from && to && r.anchors.onEdge(b) && !r.anchors.onEdge(a))
            from = a + (*to - b);
        if (!from || !to || *to <= *from || *from < 0) {
            unplaced("The flood over cells " + std::to_string(a) + " to " + std::to_string(b - 1) + " of " + rowName(r.row));
            for (int k = a; k < b; ++k)
                row[static_cast<std::size_t>(k)] = style;
            return;
        }
        for (int k = *from; k < *to && k < model::kMaxCells; ++k)
            row[static_cast<std::size_t>(k)] = style;
    }

    void redrawCells()
    {
        model::RecordList& signals = diagram_.store.signals();
        for (const RedrawnRow& r : rows_) {
            const std::string_view cells = model::signal::waveform(fresh_.store.signals().get(r.freshRow));
            signals.replace(r.row, model::signal::withDataField(signals.get(r.row), model::signalfield::Waveform, cells));
        }
    }

    model::Diagram& diagram_;
    const model::Diagram& fresh_;
    RefreshResult& result_;
    render::Layout oldLayout_, freshLayout_;
    std::vector<RedrawnRow> rows_;
    std::vector<std::pair<int, int>> labelShifts_; // label index, pixels its caption moves
    // The rows found by the names annotations give them (as the store finds a row by name).
    mutable std::map<std::string, const RedrawnRow*, std::less<>> byName_;
};

bool declared(const io::VcdSurvey& header, const std::string& name)
{
    return std::any_of(header.variables.begin(), header.variables.end(),
                       [&](const io::VcdVariable& v) { return v.name == name; });
}

RefreshResult failed(std::string error)
{
    RefreshResult r;
    r.error = std::move(error);
    return r;
}

} // namespace

RefreshResult refreshFromDump(model::Diagram& diagram, const RefreshRequest& request, const model::TextMeasurer& measurer)
{
    const model::DumpSource& source = diagram.extension.dump;
    if (source.empty())
        return failed(kNoDumpSource);
    const std::string path = request.dumpPath.empty() ? source.path : request.dumpPath;
    const io::VcdSurvey header = io::readVcdHeaderFile(path);
    if (!header.ok)
        return failed(header.error);
    if (!source.clock.empty() && !declared(header, source.clock))
        return failed("The dump " + path + " has no clock named " + source.clock + ".");

    RefreshResult result;
    // The signals the dump still has, each with the row it was drawn on.
    io::VcdChoice choice;
    choice.clock = source.clock;
    choice.cellTime = source.cellTime;
    choice.from = request.from ? request.from : source.from;
    choice.to = request.to ? request.to : source.to;
    if (request.from && !request.to && choice.to && *choice.to <= *request.from)
        choice.to.reset();
    std::vector<std::string> rowNames;
    for (std::size_t k = 0; k < source.signals.size(); ++k) {
        const std::string rowName = fields::decodePeriods(io::importedRowName(source.rows[k]));
        if (!declared(header, source.signals[k])) {
            result.unplaced.push_back("The row " + rowName + ": the dump has no signal " + source.signals[k] +
                                      ", the row was left as it was.");
            continue;
        }
        choice.signals.push_back(source.signals[k]);
        rowNames.push_back(io::importedRowName(source.rows[k]));
    }
    if (choice.signals.empty())
        return failed("The dump " + path + " has none of the diagram's signals.");

    model::Diagram fresh;
    fresh.settings = diagram.settings;
    fresh.resetForNew();
    const io::ImportResult read = io::importVcdFile(path, choice, fresh, measurer);
    if (!read.ok)
        return failed(read.error);
    if (fresh.store.signalCount() != static_cast<int>(rowNames.size()))
        return failed("The dump " + path + " gave other rows than the diagram was imported with.");

    model::Diagram changed = diagram;
    Refresh refresh(changed, fresh, result);
    for (std::size_t j = 0; j < rowNames.size(); ++j) {
        const int row = changed.store.findSignal(rowNames[j]);
        if (row < 0 || model::isSeparatorData(fields::dataOfRow(changed.store.signals().get(row))))
            result.unplaced.push_back("The row " + fields::decodePeriods(rowNames[j]) +
                                      " is no longer in the diagram: its signal was not drawn.");
        else
            refresh.addRow(row, static_cast<int>(j));
    }
    refresh.run();
    changed.extension.dump.path = fresh.extension.dump.path;
    changed.extension.dump.from = choice.from;
    changed.extension.dump.to = choice.to;
    changed.modified = true;
    diagram = std::move(changed);
    result.notes = read.notes;
    result.ok = true;
    return result;
}

} // namespace sigmora::edit
