#include "io/exchange/WaveJsonReader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <vector>

#include "io/base/DiagramBuilder.h"
#include "io/exchange/JsonDocument.h"
#include "io/native/DiagramLimits.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kNotWaveJson = "This is not a WaveJSON file: ";
constexpr std::string_view kClockChars = "pPnN";
// A lane that holds the clock levels h and l and none of the data levels is a clock held or gated.
constexpr std::string_view kDataLevelChars = "01=23456789";
constexpr std::string_view kKnownChars = "pPnNhHlL01zx=23456789.|";
constexpr double kMaxPhase = 1e6;
constexpr double kColumnEpsilon = 1e-9;
constexpr int kGroupSeparatorKind = 1; // solid line
constexpr int kSpacerKind = 0;         // blank
enum HeadCode { HeadAtEnd = 0, HeadAtBegin = 1, HeadsBoth = 2, HeadsNone = 3 };
enum LineKind { Curve = 0, Straight = 1, Angled = 2 };

bool isDataChar(char c) { return c == '=' || (c >= '2' && c <= '9'); }

std::string numberText(double n)
{
    if (std::floor(n) == n && std::fabs(n) < 1e15)
        return std::to_string(static_cast<long long>(n));
    std::string s = std::to_string(n);
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    return s;
}

// The mark a JsonML element's attributes ask for: "_{" for a subscript (a baseline shifted down),
// "~{" for an overline; nullptr for any other element.
const char* markOf(const JsonValue& attributes)
{
    const JsonValue* shift = attributes.member("baseline-shift");
    if (shift && shift->isString() && shift->text == "sub")
        return "_{";
    const JsonValue* decoration = attributes.member("text-decoration");
    if (decoration && decoration->isString() && decoration->text == "overline")
        return "~{";
    return nullptr;
}

// The text of a value: a string, a number, or the strings inside a JsonML array (its first item
// is the element's tag, objects are attributes). A subscript or overlined element becomes the
// diagram's mark for it, so that its text is drawn the same way.
std::string flatText(const JsonValue& v)
{
    if (v.isString())
        return v.text;
    if (v.isNumber())
        return numberText(v.number);
    std::string out;
    const char* mark = nullptr;
    if (v.isArray())
        for (std::size_t k = 1; k < v.items.size(); ++k) {
            if (v.items[k].isObject() && mark == nullptr)
                mark = markOf(v.items[k]);
            out += flatText(v.items[k]);
        }
    // A mark ends at its first closing brace: a text holding one stays plain.
    if (mark != nullptr && !out.empty() && out.find('}') == std::string::npos)
        return mark + out + "}";
    return out;
}

std::vector<std::string> dataLabels(const JsonValue* data)
{
    std::vector<std::string> labels;
    if (data == nullptr)
        return labels;
    if (data->isArray()) {
        for (const JsonValue& item : data->items)
            labels.push_back(flatText(item));
        return labels;
    }
    const std::string text = flatText(*data);
    std::size_t k = 0;
    while (k < text.size()) {
        while (k < text.size() && std::isspace(static_cast<unsigned char>(text[k])))
            ++k;
        std::size_t end = k;
        while (end < text.size() && !std::isspace(static_cast<unsigned char>(text[end])))
            ++end;
        if (end > k)
            labels.push_back(text.substr(k, end - k));
        k = end;
    }
    return labels;
}

double numberOr(const JsonValue* v, double fallback)
{
    return v != nullptr && v->isNumber() && std::isfinite(v->number) ? v->number : fallback;
}

struct Timing {
    double period = 1;
    double phase = 0;
};

// The wave of one lane turned into cells. Column j shows the lane at the middle of its half-cycle.
class LaneDecoder {
public:
    LaneDecoder(std::string_view wave, std::vector<std::string> labels, Timing timing)
        : wave_(wave), labels_(std::move(labels)), timing_(timing)
    {
        defining_.resize(wave.size());
        int data = 0;
        for (std::size_t i = 0; i < wave.size(); ++i) {
            const bool continuation = wave[i] == '.' || wave[i] == '|';
            defining_[i] = continuation ? (i ? defining_[i - 1] : -1) : static_cast<int>(i);
            if (isDataChar(wave[i]))
                dataIndex_[static_cast<int>(i)] = data++;
            if (kKnownChars.find(wave[i]) == std::string_view::npos)
                unknown_ = true;
        }
    }

    // Columns the lane covers, up to limit + 1 (so that a caller can tell it was cut).
    int columns(int limit) const
    {
        const double end = 2 * (static_cast<double>(wave_.size()) * timing_.period - timing_.phase);
        if (!(end > 0))
            return 0;
        return end > limit ? limit + 1 : static_cast<int>(std::ceil(end - kColumnEpsilon));
    }

    // The column boundary nearest to the start of character i.
    int boundary(std::size_t i, int columns) const
    {
        const double b = std::round(2 * (static_cast<double>(i) * timing_.period - timing_.phase));
        return b < 0 ? 0 : b > columns ? columns : static_cast<int>(b);
    }

    bool unknownCharacters() const { return unknown_; }

    ImportedRow decode(std::string_view name, int count) const
    {
        ImportedRow row;
        row.name = std::string(name);
        row.clock = wave_.find_first_of(kClockChars) != std::string_view::npos ||
                    (wave_.find_first_of("hHlL") != std::string_view::npos &&
                     wave_.find_first_of(kDataLevelChars) == std::string_view::npos);
        row.risingArrows = wave_.find('P') != std::string_view::npos;
        row.fallingArrows = wave_.find('N') != std::string_view::npos;
        row.hatched.assign(static_cast<std::size_t>(count), false);
        int previousRun = -1;
        char phase = '3';
        for (int j = 0; j < count; ++j) {
            const auto [d, f] = characterAt(j);
            const char c = d < 0 ? 'x' : wave_[static_cast<std::size_t>(d)];
            char cell = level(c, f);
            if (isDataChar(c)) {
                if (previousRun != d) {
                    phase = previousRun >= 0 && phase == '4' ? '3' : '4';
                    row.values.emplace_back(j, label(d));
                }
                cell = phase;
                previousRun = d;
            } else {
                previousRun = -1;
            }
            if (cell == 'x') {
                cell = '2';
                row.hatched[static_cast<std::size_t>(j)] = true;
            }
            row.cells += cell;
        }
        const int first = wave_.empty() ? -1 : defining_[0];
        if (first >= 0 && kClockChars.find(wave_[static_cast<std::size_t>(first)]) != std::string_view::npos)
            row.entry = wave_[static_cast<std::size_t>(first)] == 'p' || wave_[static_cast<std::size_t>(first)] == 'P' ? '0' : '1';
        return row;
    }

private:
    // The character that defines column j, and how far into its period the column's middle lies.
    std::pair<int, double> characterAt(int j) const
    {
        if (wave_.empty())
            return {-1, 0};
        const double q = ((j + 0.5) / 2 + timing_.phase) / timing_.period;
        const double last = static_cast<double>(wave_.size() - 1);
        const double i = q < 0 ? 0 : std::floor(q) > last ? last : std::floor(q);
        const double f = std::clamp(q - i, 0.0, 0.999);
        return {defining_[static_cast<std::size_t>(i)], f};
    }

    static char level(char c, double f)
    {
        switch (c) {
        case 'p':
        case 'P': return f < 0.5 ? '1' : '0';
        case 'n':
        case 'N': return f < 0.5 ? '0' : '1';
        case 'h':
        case 'H':
        case '1': return '1';
        case 'l':
        case 'L':
        case '0': return '0';
        case 'z': return '2';
        default: return 'x';
        }
    }

    std::string label(int d) const
    {
        const auto it = dataIndex_.find(d);
        if (it == dataIndex_.end() || it->second >= static_cast<int>(labels_.size()))
            return {};
        return labels_[static_cast<std::size_t>(it->second)];
    }

    std::string_view wave_;
    std::vector<std::string> labels_;
    Timing timing_;
    std::vector<int> defining_;
    std::map<int, int> dataIndex_;
    bool unknown_ = false;
};

struct Node {
    int row;
    int column;
};

class Import {
public:
    Import(DiagramBuilder& builder, ImportResult& result) : builder_(builder), result_(result) {}

    void walk(const JsonValue& items, std::size_t from)
    {
        for (std::size_t k = from; k < items.items.size(); ++k)
            item(items.items[k]);
    }

    void edges(const JsonValue* list)
    {
        if (list == nullptr || !list->isArray())
            return;
        int missing = 0;
        for (const JsonValue& e : list->items)
            if (!e.isString() || !edge(e.text))
                ++missing;
        if (missing)
            result_.notes.push_back(std::to_string(missing) + " edge(s) whose ends are not both nodes of lanes were left out.");
    }

    // The head's text gets room of its own above the cycle numbers; call before the lanes.
    void head(const JsonValue& root)
    {
        const std::string text = sideText(root, "head");
        if (!text.empty()) {
            const int y = builder_.makeRoomForTitle();
            builder_.addFreeText(builder_.waveOriginX(), y, text);
        }
    }

    // The foot's text on a blank row of its own below the last lane, inside the frame.
    void foot(const JsonValue& root)
    {
        const std::string text = sideText(root, "foot");
        if (text.empty())
            return;
        const int row = builder_.addSeparator({}, kSpacerKind);
        const int top = builder_.rowTop(row < 0 ? builder_.rowCount() : row);
        builder_.addFreeText(builder_.waveOriginX(), top, text);
    }

    void summarise()
    {
        if (droppedLanes_)
            result_.notes.push_back(std::to_string(droppedLanes_) + " lane(s) past the " +
                                    std::to_string(kMaxImportedRows) + "th row were left out.");
        if (!cutLane_.empty())
            result_.notes.push_back("Cells after the " + std::to_string(kMaxImportedColumns) +
                                    "th were left out (first in lane \"" + cutLane_ + "\").");
        if (unknownCharacters_)
            result_.notes.push_back("Wave characters this program does not draw were read as undefined (x).");
    }

    int columns() const { return columns_; }
    int lanes() const { return lanes_; }

private:
    static std::string sideText(const JsonValue& root, const char* key)
    {
        const JsonValue* side = root.member(key);
        const JsonValue* text = side && side->isObject() ? side->member("text") : nullptr;
        return text ? flatText(*text) : std::string();
    }

    void item(const JsonValue& v)
    {
        if (v.isArray()) {
            const bool named = !v.items.empty() && v.items.front().isString();
            if (named && addSeparator(v.items.front().text, kGroupSeparatorKind) >= 0 && !v.items.front().text.empty())
                builder_.addRowCaption(builder_.rowCount() - 1, v.items.front().text);
            walk(v, named ? 1 : 0);
            return;
        }
        if (!v.isObject())
            return;
        const JsonValue* wave = v.member("wave");
        const JsonValue* name = v.member("name");
        if (wave == nullptr || !wave->isString()) {
            addSeparator(name ? flatText(*name) : std::string(), kSpacerKind);
            return;
        }
        lane(v, name ? flatText(*name) : std::string(), wave->text);
    }

    int addSeparator(const std::string& name, int kind)
    {
        ++lanes_;
        const int row = builder_.addSeparator(name, kind);
        if (row < 0)
            ++droppedLanes_;
        return row;
    }

    void lane(const JsonValue& v, const std::string& name, std::string_view wave)
    {
        ++lanes_;
        if (builder_.full()) {
            ++droppedLanes_;
            return;
        }
        Timing timing;
        const double period = numberOr(v.member("period"), 1);
        timing.period = period > 0 ? period : 1;
        timing.phase = std::clamp(numberOr(v.member("phase"), 0), -kMaxPhase, kMaxPhase);
        const LaneDecoder decoder(wave, dataLabels(v.member("data")), timing);
        int count = decoder.columns(kMaxImportedColumns);
        if (count > kMaxImportedColumns) {
            count = kMaxImportedColumns;
            if (cutLane_.empty())
                cutLane_ = name.empty() ? "(no name)" : name;
        }
        // The diagram is as long as its longest lane; a lane shifted by a phase counts from the
        // diagram's start, so that its last half cycle is kept too.
        columns_ = std::max(columns_, count);
        unknownCharacters_ = unknownCharacters_ || decoder.unknownCharacters();
        const int row = builder_.addRow(decoder.decode(name, count));
        // A gap is a time break where the lane holds its value.
        for (std::size_t i = 0; i < wave.size(); ++i)
            if (wave[i] == '|' && decoder.boundary(i, count) < count)
                builder_.addTimeBreak(decoder.boundary(i, count), row);
        if (const JsonValue* node = v.member("node"); node && node->isString())
            for (std::size_t i = 0; i < node->text.size(); ++i)
                if (node->text[i] != '.' && !nodes_.count(node->text[i]))
                    nodes_[node->text[i]] = {row, decoder.boundary(i, count)};
    }

    bool edge(std::string_view text)
    {
        const std::size_t space = text.find(' ');
        const std::string_view ends = text.substr(0, space);
        if (ends.size() < 2)
            return false;
        const auto from = nodes_.find(ends.front()), to = nodes_.find(ends.back());
        if (from == nodes_.end() || to == nodes_.end())
            return false;
        const std::string_view shape = ends.substr(1, ends.size() - 2);
        const bool begin = !shape.empty() && shape.front() == '<', end = !shape.empty() && shape.back() == '>';
        const int head = begin && end ? HeadsBoth : end ? HeadAtEnd : begin ? HeadAtBegin : HeadsNone;
        const int line = shape.find('~') != std::string_view::npos   ? Curve
                         : shape.find('|') != std::string_view::npos ? Angled
                                                                     : Straight;
        std::string_view caption = space == std::string_view::npos ? std::string_view{} : text.substr(space + 1);
        while (!caption.empty() && caption.front() == ' ')
            caption.remove_prefix(1);
        builder_.addArrow(from->second.column, from->second.row, to->second.column, to->second.row, head, line,
                          caption);
        return true;
    }

    DiagramBuilder& builder_;
    ImportResult& result_;
    std::map<char, Node> nodes_;
    int columns_ = 0;
    int lanes_ = 0;
    int droppedLanes_ = 0;
    std::string cutLane_;
    bool unknownCharacters_ = false;
};

ImportResult refused(std::string why)
{
    ImportResult r;
    r.error = std::string(kNotWaveJson) + why;
    return r;
}

} // namespace

ImportResult readWaveJson(std::string_view text, model::Diagram& diagram, const model::TextMeasurer& measurer)
{
    if (text.size() > kMaxWaveJsonBytes)
        return refused("it is larger than " + std::to_string(kMaxWaveJsonBytes / (1024 * 1024)) + " MB.");
    const JsonParseResult parsed = parseJson(text);
    if (!parsed.ok)
        return refused(parsed.error + ".");
    const JsonValue* signal = parsed.value.member("signal");
    if (signal == nullptr || !signal->isArray())
        return refused("it has no \"signal\" list of lanes.");
    ImportResult result;
    DiagramBuilder builder(diagram, measurer);
    Import import(builder, result);
    import.head(parsed.value);
    import.walk(*signal, 0);
    if (import.lanes() == 0)
        return refused("its \"signal\" list has no lanes.");
    import.edges(parsed.value.member("edge"));
    import.foot(parsed.value);
    import.summarise();
    builder.finish(import.columns());
    for (std::string& note : keepStorable(diagram))
        result.notes.push_back(std::move(note));
    result.ok = true;
    return result;
}

} // namespace sigmora::io
