#include "io/exchange/SvgCommentStream.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "io/native/ArchiveWriter.h"
#include "io/native/ExtensionBlock.h"
#include "io/native/NativeLayout.h"
#include "model/Utf8Text.h"

namespace sigmora::io {

namespace {

using model::ListId;

constexpr std::string_view kOpen = "<!-- ";
constexpr std::string_view kClose = " -->\n";
constexpr std::string_view kCloseTight = "-->\n"; // after the label suffix and prefix
constexpr std::string_view kCloseGroup = "</g>\n";


void appendInt(std::string& out, int value)
{
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, static_cast<std::size_t>(result.ptr - digits));
}

void intLine(std::string& out, int value)
{
    out.append(kOpen);
    appendInt(out, value);
    out.append(kClose);
}

// A record with each field between the separators ('.' and tab) as UTF-8: a field holding
// single-byte text is converted by itself, so that the UTF-8 fields beside it stay as they are.
std::string utf8Fields(std::string_view record)
{
    if (model::invalidUtf8Offset(record) == std::string_view::npos)
        return std::string(record);
    std::string out;
    out.reserve(record.size() * 2);
    for (std::size_t at = 0; at <= record.size();) {
        const std::size_t end = std::min(record.find_first_of(".\t", at), record.size());
        out.append(model::asUtf8(record.substr(at, end - at)));
        if (end < record.size())
            out.push_back(record[end]);
        at = end + 1;
    }
    return out;
}

void textLine(std::string& out, std::string_view text, std::string_view close)
{
    out.append(kOpen).append(commentSafeText(utf8Fields(text))).append(close);
}

template <std::size_t N>
void settingLines(std::string& out, const model::DiagramSettings& s, const IntSetting (&settings)[N], std::size_t count = N)
{
    for (std::size_t i = 0; i < count; ++i)
        intLine(out, s.*settings[i]);
}

void listLines(std::string& out, const model::RecordList& list)
{
    intLine(out, list.count());
    for (const std::string& record : list.records())
        textLine(out, record, kClose);
}

// Every style of every row, one digit each, on one line.
void floodLine(std::string& out, const model::ObjectStore& store)
{
    out.append(kOpen);
    for (int row = 0; row < store.signalCount(); ++row)
        for (int cell = 0; cell < model::kMaxCells; ++cell)
            appendInt(out, store.floodStyles().get(row, cell));
    out.append(kClose);
}

// Every edge offset of every row, biased so that small negative offsets stay positive.
void edgeOffsetLine(std::string& out, const model::ObjectStore& store)
{
    out.append(kOpen);
    for (int row = 0; row < store.signalCount(); ++row)
        for (int cell = 0; cell < model::kMaxCells; ++cell) {
            appendInt(out, store.edgeOffsets().get(row, cell) + kEdgeOffsetBias);
            out.push_back(' ');
        }
    out.append(kClose);
}

void scaleLine(std::string& out, float scale)
{
    char text[64];
    std::snprintf(text, sizeof text, "<!-- %1.2f -->\n", static_cast<double>(scale));
    out.append(text);
}

bool breaksComment(std::string_view text)
{
    return text.find("--") != std::string_view::npos || (!text.empty() && text.back() == '-');
}

} // namespace

std::string commentSafeText(std::string_view text)
{
    if (!breaksComment(text))
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 16);
    for (char c : text) {
        if (c == '-')
            out.append(kCommentDash);
        else
            out.push_back(c);
    }
    return out;
}

std::string textFromComment(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        if (text.compare(at, kCommentDash.size(), kCommentDash) == 0) {
            out.push_back('-');
            at += kCommentDash.size();
        } else {
            out.push_back(text[at++]);
        }
    }
    return out;
}

void appendSvgCommentStream(const model::Diagram& diagram, std::string& out)
{
    using namespace layout;
    const model::DiagramSettings& s = diagram.settings;
    const model::ObjectStore& store = diagram.store;
    if (s.svgScale != 1.0f)
        out.append(kCloseGroup);
    out.append(kSvgStreamMarker).append("\n");
    settingLines(out, s, kHeadSettings);
    for (ListId id : kStreamLists)
        listLines(out, store.list(id));
    settingLines(out, s, kNameAndLabelSettings);
    textLine(out, s.labelSuffix, kCloseTight);
    textLine(out, s.labelPrefix, kCloseTight);
    settingLines(out, s, kLabelCountSettings);
    floodLine(out, store);
    edgeOffsetLine(out, store);
    settingLines(out, s, kVersion010TailSettings);
    settingLines(out, s, kModuloSettings);
    scaleLine(out, s.svgScale);
    settingLines(out, s, kClosingSettings, kStreamClosingSettings);
    if (!diagram.extension.empty()) {
        std::string block;
        ArchiveWriter w(block);
        writeExtensionBlock(diagram.extension, w);
        static constexpr char kHex[] = "0123456789abcdef";
        out.append("<!-- ").append(kSvgExtensionTag);
        for (char c : block) {
            out.push_back(kHex[(static_cast<unsigned char>(c) >> 4) & 0xF]);
            out.push_back(kHex[static_cast<unsigned char>(c) & 0xF]);
        }
        out.append(" -->\n");
    }
}

} // namespace sigmora::io
