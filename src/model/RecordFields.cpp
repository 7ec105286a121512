#include "model/RecordFields.h"

#include <algorithm>
#include <climits>

namespace sigmora::model::fields {

namespace {

// Position of the n-th separator (1-based count); npos when there are fewer.
size_t separatorPosition(std::string_view text, int n)
{
    size_t pos = std::string_view::npos;
    size_t from = 0;
    for (int i = 0; i < n; ++i) {
        pos = text.find(kSeparator, from);
        if (pos == std::string_view::npos)
            return pos;
        from = pos + 1;
    }
    return pos;
}

// [begin, end) of field n, or nullopt.
std::optional<std::pair<size_t, size_t>> fieldRange(std::string_view text, int n)
{
    if (n < 0)
        return std::nullopt;
    size_t begin = 0;
    if (n > 0) {
        size_t sep = separatorPosition(text, n);
        if (sep == std::string_view::npos)
            return std::nullopt;
        begin = sep + 1;
    }
    size_t end = text.find(kSeparator, begin);
    if (end == std::string_view::npos)
        end = text.size();
    return std::make_pair(begin, end);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

int countSeparators(std::string_view text)
{
    int n = 0;
    for (char c : text) {
        if (c == kSeparator)
            ++n;
    }
    return n;
}

namespace {

// Leading blanks, an optional sign, then decimal digits up to the first other character; the
// magnitude stops growing once it passes limit.
struct Decimal {
    bool negative = false;
    std::uint64_t magnitude = 0;
};

Decimal parseDecimal(std::string_view text, std::uint64_t limit)
{
    Decimal d;
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        d.negative = text[i] == '-';
        ++i;
    }
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        d.magnitude = std::min(limit, d.magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0'));
    return d;
}

} // namespace

int cAtoi(std::string_view text)
{
    constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(INT_MAX) + 1;
    const Decimal d = parseDecimal(text, kLimit);
    if (d.negative)
        return d.magnitude >= kLimit ? INT_MIN : -static_cast<int>(d.magnitude);
    return d.magnitude > INT_MAX ? INT_MAX : static_cast<int>(d.magnitude);
}

std::uint32_t cAtoul(std::string_view text)
{
    const Decimal d = parseDecimal(text, UINT32_MAX);
    const auto value = static_cast<std::uint32_t>(d.magnitude);
    return d.negative ? static_cast<std::uint32_t>(0u - value) : value;
}

bool hasField(std::string_view text, int n)
{
    return n >= 0 && countSeparators(text) > n;
}

std::optional<std::string_view> textField(std::string_view text, int n)
{
    auto range = fieldRange(text, n);
    if (!range)
        return std::nullopt;
    return text.substr(range->first, range->second - range->first);
}

int intField(std::string_view text, int n)
{
    auto field = textField(text, n);
    return field ? cAtoi(*field) : -1;
}

std::string withTextField(std::string_view text, int n, std::string_view value)
{
    auto range = fieldRange(text, n);
    if (!range)
        return std::string(text);
    std::string result;
    result.reserve(text.size() + value.size());
    result.append(text.substr(0, range->first));
    result.append(value);
    result.append(text.substr(range->second));
    return result;
}

std::string withIntField(std::string_view text, int n, int value)
{
    return withTextField(text, n, std::to_string(value));
}

std::string_view nameOfRow(std::string_view record)
{
    size_t tab = record.find('\t');
    return tab == std::string_view::npos ? record : record.substr(0, tab);
}

std::string_view dataOfRow(std::string_view record)
{
    size_t tab = record.find('\t');
    if (tab == std::string_view::npos)
        return {};
    size_t start = tab + kNameTabs;
    return start >= record.size() ? std::string_view{} : record.substr(start);
}

std::string joinRow(std::string_view name, std::string_view data)
{
    std::string record;
    record.reserve(name.size() + kNameTabs + data.size());
    record.append(name);
    record.append(static_cast<size_t>(kNameTabs), '\t');
    record.append(data);
    return record;
}

std::string encodePeriods(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '.')
            out.append(kPeriodMarker);
        else
            out.push_back(c);
    }
    return out;
}

std::string decodePeriods(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, kPeriodMarker.size(), kPeriodMarker) == 0) {
            out.push_back('.');
            i += kPeriodMarker.size();
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

} // namespace sigmora::model::fields
