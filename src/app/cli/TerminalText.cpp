#include "app/cli/TerminalText.h"

#include <cstdio>

namespace sigmora::app {

namespace {

constexpr unsigned char kDelete = 0x7f;
constexpr unsigned char kFirstC1 = 0x80;
constexpr unsigned char kLastC1 = 0x9f;
constexpr unsigned char kC1Lead = 0xc2; // U+0080 to U+009F are 0xC2 0x80 to 0xC2 0x9F in UTF-8

std::string escaped(unsigned char byte)
{
    switch (byte) {
    case '\t': return "\\t";
    case '\r': return "\\r";
    case 0x1b: return "\\e";
    default: break;
    }
    constexpr const char* kHex = "0123456789abcdef";
    return std::string{'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
}

// The length of the UTF-8 sequence that starts at text[at], 0 when none does.
std::size_t sequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    if (byte >= 0xc2 && byte <= 0xdf)
        length = 2;
    else if (byte >= 0xe0 && byte <= 0xef)
        length = 3;
    else if (byte >= 0xf0 && byte <= 0xf4)
        length = 4;
    if (length == 0 || at + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[at + i]) & 0xc0) != 0x80)
            return 0;
    }
    // Overlong forms and surrogates are no text either.
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if ((byte == 0xe0 && second < 0xa0) || (byte == 0xed && second > 0x9f) || (byte == 0xf0 && second < 0x90) ||
        (byte == 0xf4 && second > 0x8f))
        return 0;
    return length;
}

} // namespace

std::string terminalSafe(std::string_view text)
{
    std::string safe;
    safe.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte == '\n' || (byte >= 0x20 && byte < kDelete)) {
            safe += text[at++];
            continue;
        }
        const std::size_t length = byte >= kFirstC1 ? sequenceLength(text, at) : 0;
        const bool c1 = length == 2 && byte == kC1Lead && static_cast<unsigned char>(text[at + 1]) <= kLastC1;
        if (length == 0 || c1) {
            for (std::size_t i = 0; i < (c1 ? 2 : 1); ++i)
                safe += escaped(static_cast<unsigned char>(text[at + i]));
            at += c1 ? 2 : 1;
            continue;
        }
        safe.append(text.substr(at, length));
        at += length;
    }
    return safe;
}

void printProblem(std::string_view text)
{
    const std::string line = "sigmora: " + terminalSafe(text) + "\n";
    std::fputs(line.c_str(), stderr);
}

} // namespace sigmora::app
