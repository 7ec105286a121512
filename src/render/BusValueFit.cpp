#include "render/BusValueFit.h"

#include <algorithm>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/Utf8Text.h"

namespace sigmora::render {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // U+2026

bool busCharacter(char c) { return c == '3' || c == '4'; }

bool allDigits(std::string_view digits, char lower)
{
    if (digits.empty())
        return false;
    const char upper = static_cast<char>(lower - 'a' + 'A');
    return std::all_of(digits.begin(), digits.end(), [&](char c) { return c == lower || c == upper; });
}

} // namespace

BusValueFit::BusValueFit(const model::Diagram& d, const Layout& layout)
    : diagram_(d), layout_(layout), columns_(drawnColumnCount(layout))
{
    layout_.firstVisibleCell = 0;
    layout_.verticalScroll = 0;
    edges_.resize(static_cast<std::size_t>(std::max(d.store.signalCount(), 0)));
}

const ColumnEdges& BusValueFit::edgesOf(int row)
{
    std::optional<ColumnEdges>& edges = edges_[static_cast<std::size_t>(row)];
    if (!edges)
        edges.emplace(diagram_, layout_, row, columns_);
    return *edges;
}

std::optional<BusValueFit::Run> BusValueFit::runUnder(long long left, long long top, long long bottom)
{
    if (layout_.cellWidth <= 0 || columns_ <= 0)
        return std::nullopt;
    // The row whose band holds the box's middle, as the exports find it.
    const std::optional<int> row = rowOfBand(layout_, (top + std::max(top, bottom)) / 2, diagram_.store.signalCount());
    if (!row)
        return std::nullopt;
    const std::string& record = diagram_.store.signals().get(*row);
    if (model::rowKind(record) == model::kRowKindSeparator)
        return std::nullopt;
    const std::string_view waveform = model::signal::waveform(record);

    // The column whose stretch (half a cell before its change to half a cell before the next)
    // holds the left edge: near where the cell width puts it, edge offsets moving it a little.
    const ColumnEdges& edges = edgesOf(*row);
    const long long half = layout_.cellWidth / 2;
    long long k = std::clamp<long long>((left + half - layout_.waveOriginX()) / layout_.cellWidth, 0, columns_ - 1);
    while (k > 0 && left < edges.changeX(static_cast<int>(k)) - half)
        --k;
    while (k + 1 < columns_ && left >= edges.changeX(static_cast<int>(k) + 1) - half)
        ++k;
    const int column = static_cast<int>(k);
    if (left < edges.changeX(column) - half || left >= edges.changeX(column + 1) - half)
        return std::nullopt;
    const char value = columnValue(waveform, column);
    if (!busCharacter(value))
        return std::nullopt;
    int begin = column, end = column + 1;
    while (begin > 0 && columnValue(waveform, begin - 1) == value)
        --begin;
    while (end < columns_ && columnValue(waveform, end) == value)
        ++end;
    return Run{edges.changeX(begin), edges.changeX(end)};
}

std::string_view BusValueFit::shownValue(std::string_view text)
{
    const std::string_view digits = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? text.substr(2) : text;
    if (text.size() > 1 && allDigits(digits, 'x'))
        return "x";
    if (text.size() > 1 && allDigits(digits, 'z'))
        return "z";
    return text;
}

std::string shortenedToFit(Surface& surface, std::string_view text, long long room)
{
    if (surface.textExtent(kEllipsis).width > room)
        return {};
    const std::string utf8 = model::asUtf8(text);
    // Where each character starts, to cut between whole characters.
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < utf8.size(); ++i)
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    // The most characters whose start and the ellipsis fit: widths grow with the characters.
    std::size_t fits = 0, tooMany = starts.size();
    while (fits + 1 < tooMany) {
        const std::size_t mid = (fits + tooMany) / 2;
        if (surface.textExtent(utf8.substr(0, starts[mid]) + std::string(kEllipsis)).width <= room)
            fits = mid;
        else
            tooMany = mid;
    }
    return utf8.substr(0, fits < starts.size() ? starts[fits] : 0) + std::string(kEllipsis);
}

} // namespace sigmora::render
