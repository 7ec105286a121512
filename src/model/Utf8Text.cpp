#include "model/Utf8Text.h"

namespace sigmora::model {

namespace {

// Length of the well-formed sequence starting at i, or 0.
std::size_t sequenceLength(std::string_view t, std::size_t i)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(t[k]); };
    const unsigned c = byte(i);
    if (c < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned low = 0x80, high = 0xBF; // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF)
        n = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        if (c == 0xE0)
            low = 0xA0; // overlong
        if (c == 0xED)
            high = 0x9F; // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        if (c == 0xF0)
            low = 0x90;
        if (c == 0xF4)
            high = 0x8F;
    } else
        return 0;
    if (i + n > t.size())
        return 0;
    if (byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < n; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return n;
}

} // namespace

std::size_t invalidUtf8Offset(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = sequenceLength(text, i);
        if (n == 0)
            return i;
        i += n;
    }
    return std::string_view::npos;
}

void appendUtf8(std::string& out, unsigned cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string asUtf8(std::string_view text)
{
    if (invalidUtf8Offset(text) == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::u32string codePoints(std::string_view text)
{
    std::u32string out;
    const bool utf8 = invalidUtf8Offset(text) == std::string_view::npos;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned c = static_cast<unsigned char>(text[i]);
        const std::size_t n = utf8 ? sequenceLength(text, i) : 1;
        char32_t cp = n == 1 ? c : c & (0xFFu >> (n + 1));
        for (std::size_t k = 1; k < n; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
        out += cp;
        i += n;
    }
    return out;
}

} // namespace sigmora::model
