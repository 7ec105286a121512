#include "io/dump/BusNumbers.h"

#include <algorithm>
#include <vector>

#include "model/TextCase.h"

namespace sigmora::io {

namespace {

bool allOf(std::string_view s, char c) { return !s.empty() && s.find_first_not_of(c) == std::string_view::npos; }

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Digits of a base that is a power of two, each `bitsPerDigit` bits; x, z and ? stand for that many
// unknown or high-impedance bits, and X, Z (the import's partly unknown hexadecimal digit) too.
std::optional<std::string> powerOfTwoDigits(std::string_view digits, int bitsPerDigit)
{
    std::string bits;
    for (char c : digits) {
        if (c == '_')
            continue;
        const char l = lowerAscii(c);
        if (l == 'x' || l == 'z' || l == '?') {
            bits.append(static_cast<std::size_t>(bitsPerDigit), l == '?' ? 'z' : l);
            continue;
        }
        int v = -1;
        if (l >= '0' && l <= '9')
            v = l - '0';
        else if (l >= 'a' && l <= 'f')
            v = l - 'a' + 10;
        if (v < 0 || v >= (1 << bitsPerDigit))
            return std::nullopt;
        for (int b = bitsPerDigit - 1; b >= 0; --b)
            bits += (v >> b) & 1 ? '1' : '0';
    }
    if (bits.empty())
        return std::nullopt;
    return bits;
}

// Decimal digits as bits, at any length.
std::optional<std::string> decimalDigits(std::string_view digits)
{
    std::vector<int> number; // decimal digits, most significant first
    for (char c : digits) {
        if (c == '_')
            continue;
        if (c < '0' || c > '9')
            return std::nullopt;
        number.push_back(c - '0');
    }
    if (number.empty() || number.size() > kMaxBusWidth)
        return std::nullopt;
    std::string bits;
    while (!(number.size() == 1 && number[0] == 0) && !number.empty()) {
        int rest = 0;
        std::vector<int> half;
        for (int d : number) {
            const int v = rest * 10 + d;
            if (!half.empty() || v / 2 != 0)
                half.push_back(v / 2);
            rest = v % 2;
        }
        bits += rest ? '1' : '0';
        number = half.empty() ? std::vector<int>{0} : half;
    }
    if (bits.empty())
        bits = "0";
    std::reverse(bits.begin(), bits.end());
    return bits;
}

std::string withoutLeadingZeros(std::string bits)
{
    const std::size_t first = bits.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : bits.substr(first);
}

BusNumber number(std::optional<std::string> bits, std::optional<int> sized = std::nullopt)
{
    BusNumber n;
    if (!bits || bits->size() > static_cast<std::size_t>(kMaxBusWidth))
        return n;
    n.ok = true;
    n.sized = sized;
    BusNumber raw;
    raw.bits = *bits;
    const std::string full = sized ? raw.fitted(*sized) : *bits;
    // A value whose first bit is x or z keeps its bits as written: they say how it extends.
    n.bits = full.front() == 'x' || full.front() == 'z' ? full : withoutLeadingZeros(full);
    return n;
}

// A Verilog literal: [size]'[s]base digits.
BusNumber verilogLiteral(std::string_view t)
{
    const std::size_t tick = t.find('\'');
    std::optional<int> size;
    if (tick > 0) {
        const std::string_view sizeText = t.substr(0, tick);
        if (sizeText.find_first_not_of("0123456789") != std::string_view::npos || sizeText.size() > 5)
            return {};
        size = std::stoi(std::string(sizeText));
        if (*size < 1 || *size > kMaxBusWidth)
            return {};
    }
    std::string_view rest = t.substr(tick + 1);
    if (!rest.empty() && lowerAscii(rest.front()) == 's')
        rest.remove_prefix(1);
    if (rest.size() < 2)
        return {};
    const char base = lowerAscii(rest.front());
    const std::string_view digits = rest.substr(1);
    switch (base) {
    case 'b': return number(powerOfTwoDigits(digits, 1), size);
    case 'o': return number(powerOfTwoDigits(digits, 3), size);
    case 'h': return number(powerOfTwoDigits(digits, 4), size);
    case 'd': return number(decimalDigits(digits), size);
    default: return {};
    }
}

} // namespace

int BusNumber::width() const
{
    if (special)
        return 1;
    const std::size_t first = bits.find_first_not_of('0');
    return first == std::string::npos ? 1 : static_cast<int>(bits.size() - first);
}

std::string BusNumber::fitted(int width) const
{
    if (width <= 0)
        return {};
    const std::size_t w = static_cast<std::size_t>(width);
    if (special)
        return std::string(w, special);
    if (bits.size() >= w)
        return bits.substr(bits.size() - w);
    const char pad = !bits.empty() && (bits.front() == 'x' || bits.front() == 'z') ? bits.front() : '0';
    return std::string(w - bits.size(), pad) + bits;
}

BusNumber parseBusNumber(std::string_view text)
{
    const std::string_view t = model::trimBlanks(text);
    std::string lowered(t);
    for (char& c : lowered)
        c = lowerAscii(c);
    if (allOf(lowered, 'x') || allOf(lowered, 'z')) {
        BusNumber n;
        n.ok = true;
        n.special = lowered.front();
        n.bits = std::string(1, n.special);
        return n;
    }
    if (t.find('\'') != std::string_view::npos)
        return verilogLiteral(t);
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))
        return number(powerOfTwoDigits(t.substr(2), 4));
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'b' || t[1] == 'B'))
        return number(powerOfTwoDigits(t.substr(2), 1));
    if (t.size() > 1 && (t.back() == 'h' || t.back() == 'H'))
        return number(powerOfTwoDigits(t.substr(0, t.size() - 1), 4));
    if (!t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos)
        return number(decimalDigits(t));
    return {};
}

std::string busNumberText(std::string_view bits)
{
    if (allOf(bits, 'x') || allOf(bits, 'z'))
        return std::string(1, bits.front());
    std::string out;
    for (std::size_t end = bits.size(); end > 0;) {
        const std::size_t start = end >= 4 ? end - 4 : 0;
        const std::string_view g = bits.substr(start, end - start);
        const bool hasX = g.find('x') != std::string_view::npos, hasZ = g.find('z') != std::string_view::npos;
        if (hasX)
            out += allOf(g, 'x') ? 'x' : 'X';
        else if (hasZ)
            out += allOf(g, 'z') ? 'z' : 'Z';
        else {
            int v = 0;
            for (char c : g)
                v = v * 2 + (c == '1');
            out += "0123456789abcdef"[v];
        }
        end = start;
    }
    // Leading zero digits say nothing: 0x03 is 0x3.
    while (out.size() > 1 && out.back() == '0')
        out.pop_back();
    std::reverse(out.begin(), out.end());
    return "0x" + out;
}

std::optional<NamedRange> nameRange(std::string_view name)
{
    const std::string_view t = model::trimBlanks(name);
    if (t.size() < 5 || t.back() != ']')
        return std::nullopt;
    const std::size_t open = t.rfind('[');
    if (open == std::string_view::npos || open == 0)
        return std::nullopt;
    const std::string_view inside = t.substr(open + 1, t.size() - open - 2);
    const std::size_t colon = inside.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    auto whole = [](std::string_view s) -> std::optional<int> {
        s = model::trimBlanks(s);
        if (s.empty() || s.size() > 6 || s.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        return std::stoi(std::string(s));
    };
    const auto high = whole(inside.substr(0, colon)), low = whole(inside.substr(colon + 1));
    if (!high || !low)
        return std::nullopt;
    const int width = std::abs(*high - *low) + 1;
    if (width > kMaxBusWidth)
        return std::nullopt;
    return NamedRange{std::string(model::trimBlanks(t.substr(0, open))), width};
}

} // namespace sigmora::io
