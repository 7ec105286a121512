#include "io/exchange/SvgReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "io/native/DiagramLimits.h"
#include "io/native/ExtensionBlock.h"
#include "io/native/NativeLayout.h"
#include "io/exchange/SvgCommentStream.h"
#include "io/exchange/SvgDocument.h"
#include "render/TimeRuler.h"

namespace sigmora::io {

namespace {

using model::ListId;
using Status = SvgReadResult::Status;

constexpr std::size_t kMarkerWindow = 200;
constexpr std::string_view kStreamTag = "-- WF";
constexpr std::string_view kCommentOpen = "<!--";
constexpr std::string_view kCommentClose = "-->";


bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view withoutOneTrailingBlank(std::string_view text)
{
    if (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::optional<int> integerOf(std::string_view text)
{
    text = trimmed(text);
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

// True when the first 200 bytes, up to a NUL byte, hold the marker line.
bool markedAsOurs(std::string_view bytes)
{
    std::string_view head = bytes.substr(0, kMarkerWindow);
    head = head.substr(0, head.find('\0'));
    return head.find(kSvgMarker) != std::string_view::npos;
}

// The position after the first tag whose text holds the stream marker; npos when there is none.
std::size_t streamStart(std::string_view bytes)
{
    for (std::size_t at = 0;;) {
        const std::size_t open = bytes.find('<', at);
        if (open == std::string_view::npos)
            return std::string_view::npos;
        const std::size_t close = bytes.find('>', open + 1);
        if (close == std::string_view::npos)
            return std::string_view::npos;
        if (bytes.substr(open + 1, close - open - 1).find(kStreamTag) != std::string_view::npos)
            return close + 1;
        at = close + 1;
    }
}

// Walks the data comments one by one. The first failure is kept; later reads answer nothing.
class CommentReader {
public:
    CommentReader(std::string_view bytes, std::size_t at) : bytes_(bytes), at_(at) {}

    bool failed() const { return !problem_.empty(); }
    const std::string& problem() const { return problem_; }

    // The text of the next comment, without the blank that follows its opening.
    std::optional<std::string_view> next()
    {
        if (failed())
            return std::nullopt;
        while (at_ < bytes_.size() && isBlank(bytes_[at_]))
            ++at_;
        if (bytes_.compare(at_, kCommentOpen.size(), kCommentOpen) != 0)
            return fail(at_ >= bytes_.size() ? "the data ends early" : "the data holds text that is not a comment");
        const std::size_t begin = at_ + kCommentOpen.size();
        const std::size_t end = bytes_.find(kCommentClose, begin);
        if (end == std::string_view::npos)
            return fail("the data ends early");
        at_ = end + kCommentClose.size();
        std::string_view text = bytes_.substr(begin, end - begin);
        if (!text.empty() && text.front() == ' ')
            text.remove_prefix(1);
        return text;
    }

    // The next comment's text after its tag, when the next thing in the data is such a comment;
    // nothing (and no failure) otherwise.
    std::optional<std::string_view> tagged(std::string_view tag)
    {
        if (failed())
            return std::nullopt;
        std::size_t at = at_;
        while (at < bytes_.size() && isBlank(bytes_[at]))
            ++at;
        if (bytes_.compare(at, kCommentOpen.size(), kCommentOpen) != 0)
            return std::nullopt;
        const std::size_t begin = at + kCommentOpen.size() + (bytes_.compare(at + kCommentOpen.size(), 1, " ") == 0 ? 1 : 0);
        if (bytes_.compare(begin, tag.size(), tag) != 0)
            return std::nullopt;
        const std::size_t end = bytes_.find(kCommentClose, begin);
        if (end == std::string_view::npos)
            return std::nullopt;
        at_ = end + kCommentClose.size();
        return trimmed(bytes_.substr(begin + tag.size(), end - begin - tag.size()));
    }

    int integer()
    {
        const auto text = next();
        if (!text)
            return 0;
        const auto value = integerOf(*text);
        if (!value)
            fail("a value is not a whole number");
        return value.value_or(0);
    }

    float real()
    {
        const auto text = next();
        if (!text)
            return 0;
        const std::string_view t = trimmed(*text);
        float value = 0;
        const auto result = std::from_chars(t.data(), t.data() + t.size(), value);
        if (t.empty() || result.ec != std::errc() || result.ptr != t.data() + t.size() || !std::isfinite(value) ||
            value <= 0)
            fail("the SVG scale is not a positive number");
        return value;
    }

    // A record, without the blank the writer puts before the comment's end.
    std::string record()
    {
        const auto text = next();
        return text ? textFromComment(withoutOneTrailingBlank(*text)) : std::string();
    }

    // A text written right against the comment's end.
    std::string tightText()
    {
        const auto text = next();
        return text ? textFromComment(*text) : std::string();
    }

    std::nullopt_t fail(std::string problem)
    {
        if (problem_.empty())
            problem_ = std::move(problem);
        return std::nullopt;
    }

private:
    std::string_view bytes_;
    std::size_t at_;
    std::string problem_;
};

template <std::size_t N>
void readSettings(CommentReader& r, model::DiagramSettings& s, const IntSetting (&settings)[N], std::size_t count = N)
{
    for (std::size_t i = 0; i < count; ++i)
        s.*settings[i] = r.integer();
}

void readList(CommentReader& r, model::RecordList& list, int maxCount)
{
    const int count = r.integer();
    if (count > maxCount) {
        r.fail(maxCount == model::kMaxRows ? "more than 256 rows" : "a list holds more records than any diagram");
        return;
    }
    for (int i = 0; i < count && !r.failed(); ++i)
        list.append(r.record());
}

void readFloodStyles(CommentReader& r, model::Diagram& d)
{
    const auto text = r.next();
    if (!text)
        return;
    const std::string_view digits = withoutOneTrailingBlank(*text);
    const int rows = d.store.signalCount();
    if (digits.size() != static_cast<std::size_t>(rows) * model::kMaxCells) {
        r.fail("the flood styles do not match the rows");
        return;
    }
    for (int row = 0; row < rows; ++row)
        for (int cell = 0; cell < model::kMaxCells; ++cell) {
            const char c = digits[static_cast<std::size_t>(row) * model::kMaxCells + static_cast<std::size_t>(cell)];
            d.store.floodStyles().set(row, cell, c >= '0' && c <= '9' ? c - '0' : 0);
        }
}

void readEdgeOffsets(CommentReader& r, model::Diagram& d)
{
    const auto text = r.next();
    if (!text)
        return;
    std::string_view rest = *text;
    const int rows = d.store.signalCount();
    for (int row = 0; row < rows; ++row)
        for (int cell = 0; cell < model::kMaxCells; ++cell) {
            while (!rest.empty() && rest.front() == ' ')
                rest.remove_prefix(1);
            const std::size_t end = std::min(rest.find(' '), rest.size());
            const auto value = integerOf(rest.substr(0, end));
            if (!value || *value < -kMaxLayoutMagnitude || *value > kMaxLayoutMagnitude) {
                r.fail("the edge offsets do not match the rows");
                return;
            }
            d.store.edgeOffsets().set(row, cell, *value - kEdgeOffsetBias);
            rest.remove_prefix(end);
        }
    if (!trimmed(rest).empty())
        r.fail("the edge offsets do not match the rows");
}

void readStream(CommentReader& r, model::Diagram& d)
{
    using namespace layout;
    model::DiagramSettings& s = d.settings;
    readSettings(r, s, kHeadSettings);
    for (ListId id : kStreamLists)
        readList(r, d.store.list(id), id == ListId::Signals ? model::kMaxRows : kMaxListRecords);
    readSettings(r, s, kNameAndLabelSettings);
    s.labelSuffix = r.tightText();
    s.labelPrefix = r.tightText();
    readSettings(r, s, kLabelCountSettings);
    readFloodStyles(r, d);
    readEdgeOffsets(r, d);
    readSettings(r, s, kVersion010TailSettings);
    readSettings(r, s, kModuloSettings);
    s.svgScale = r.real();
    readSettings(r, s, kClosingSettings, kStreamClosingSettings);
}

// The extension block written in hexadecimal after the closing settings: read as the diagram
// file reads it, what cannot be read said in notes and left out.
void readExtension(std::string_view hex, model::Diagram& d, std::vector<std::string>& notes)
{
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1; };
    std::string block;
    block.reserve(hex.size() / 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0) {
            notes.push_back("The time base, timing parameters and dump source in the SVG's data are damaged and were left out.");
            return;
        }
        block.push_back(static_cast<char>(high * 16 + low));
    }
    readExtensionBlock(block, d.extension, notes);
}

} // namespace

SvgReadResult readSvgDiagram(std::string_view bytes, model::Diagram& diagram)
{
    SvgReadResult result;
    if (!markedAsOurs(bytes)) {
        result.status = Status::NotSigmora;
        return result;
    }
    const std::size_t start = streamStart(bytes);
    if (start == std::string_view::npos) {
        result.status = Status::NoData;
        return result;
    }
    CommentReader reader(bytes, start);
    readStream(reader, diagram);
    if (const auto hex = reader.tagged(kSvgExtensionTag))
        readExtension(*hex, diagram, result.notes);
    // The top margin is not in the data: a ruler gets the room it takes, as when it is turned on.
    if (diagram.extension.timeRuler)
        diagram.settings.topMargin =
            std::max(diagram.settings.topMargin, render::rulerTopMargin(diagram.settings.cycleLabelsVisible == 1));
    std::optional<std::string> problem;
    if (reader.failed())
        problem = reader.problem();
    else
        problem = diagramOutOfRange(diagram);
    if (problem) {
        result.status = Status::Damaged;
        result.problem = *problem;
    }
    return result;
}

} // namespace sigmora::io
