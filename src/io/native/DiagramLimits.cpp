#include "io/native/DiagramLimits.h"

#include <algorithm>
#include <cstdint>

#include "io/native/ArchiveReader.h"
#include "io/native/NativeLayout.h"

namespace sigmora::io {

namespace {

bool layoutInRange(const model::DiagramSettings& s)
{
    for (IntSetting setting : layout::kLayoutSizes)
        if (s.*setting < -kMaxLayoutMagnitude || s.*setting > kMaxLayoutMagnitude)
            return false;
    return true;
}

// Edge offsets are added up along a row: each must be a width a cell can have.
bool edgeOffsetsInRange(const model::ObjectStore& store)
{
    const int rows = std::min(store.signalCount(), model::kMaxRows);
    if (rows <= 0)
        return true;
    const std::int32_t* first = store.edgeOffsets().row(0);
    return std::all_of(first, first + static_cast<std::size_t>(rows) * model::kMaxCells, [](std::int32_t v) {
        return v >= -kMaxLayoutMagnitude && v <= kMaxLayoutMagnitude;
    });
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool textsStorable(const model::Diagram& d)
{
    for (model::ListId id : model::kAllLists)
        for (const std::string& record : d.store.list(id).records())
            if (!isText(record))
                return false;
    return isText(d.settings.labelPrefix) && isText(d.settings.labelSuffix);
}

// Replaces what the diagram file cannot hold; true when something was replaced.
bool cleanText(std::string& text)
{
    if (isText(text))
        return false;
    std::string clean;
    clean.reserve(text.size() + 8);
    for (char c : text) {
        if (isText(std::string_view(&c, 1)))
            clean += c;
        else
            clean += kReplacement;
    }
    text = std::move(clean);
    return true;
}

struct ListName {
    model::ListId id;
    const char* what;
};
constexpr ListName kCappedLists[] = {{model::ListId::Texts, "text box(es)"},
                                     {model::ListId::Arrows, "arrow(s)"},
                                     {model::ListId::LegacyRegions, "shaded region(s)"},
                                     {model::ListId::Labels, "label(s)"},
                                     {model::ListId::TimeBreaks, "time break(s)"}};

std::string withThousands(long long n)
{
    std::string digits = std::to_string(n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

} // namespace

std::vector<std::string> keepStorable(model::Diagram& diagram)
{
    std::vector<std::string> notes;
    for (const ListName& list : kCappedLists) {
        model::RecordList& records = diagram.store.list(list.id);
        const int over = records.count() - kMaxListRecords;
        if (over <= 0)
            continue;
        while (records.count() > kMaxListRecords)
            records.remove(records.count() - 1);
        notes.push_back(withThousands(over) + " " + list.what + " past the " + withThousands(kMaxListRecords) +
                        " a diagram holds were left out.");
    }
    int cleaned = 0;
    for (model::ListId id : model::kAllLists) {
        model::RecordList& records = diagram.store.list(id);
        for (int i = 0; i < records.count(); ++i) {
            if (isText(records.get(i)))
                continue;
            std::string record = records.get(i);
            cleanText(record);
            records.replace(i, std::move(record));
            ++cleaned;
        }
    }
    cleaned += cleanText(diagram.settings.labelPrefix) ? 1 : 0;
    cleaned += cleanText(diagram.settings.labelSuffix) ? 1 : 0;
    if (cleaned > 0)
        notes.push_back("Control characters in " + std::to_string(cleaned) +
                        " text(s) were replaced by \xEF\xBF\xBD: a diagram file cannot hold them.");
    return notes;
}

std::optional<std::string> diagramOutOfRange(const model::Diagram& diagram)
{
    if (!layoutInRange(diagram.settings))
        return "a layout size is out of range";
    if (!edgeOffsetsInRange(diagram.store))
        return "an edge offset is out of range";
    if (!textsStorable(diagram))
        return "a text holds bytes that are not text";
    return std::nullopt;
}

} // namespace sigmora::io
