#pragma once

#include <charconv>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>

#include "render/Geometry.h"

namespace sigmora::render {

// Which elements the current drawing pass writes into the SVG document.
enum class SvgPass {
    Off = 0,
    Main = 1,      // every drawing element
    Arrowheads = 2 // only the edge arrows of the waveforms
};

// Writes the SVG elements that the full redraw produces while an SVG export runs. The drawing
// code calls it beside its surface calls; every y it is given is a drawing coordinate and gets
// the SVG y offset added here. Ids come from one counter that each element with an id advances.
class SvgWriter {
public:
    static constexpr int kYOffset = 10;
    static constexpr int kFirstId = 4;

    SvgPass pass = SvgPass::Off;
    int idCounter = kFirstId;

    bool mainPass() const { return pass == SvgPass::Main; }
    bool arrowheadPass() const { return pass == SvgPass::Arrowheads; }

    // The text written so far (and not yet handed on).
    std::string_view text() const { return {out_.data(), used_}; }
    std::string takeText();
    void append(std::string_view raw)
    {
        writeTo(room(raw.size()), raw);
        used_ += raw.size();
        handOnWhenFull();
    }
    // Hands the text written so far to sink whenever it reaches blockSize bytes, so that a large
    // document goes on (to a file) in blocks instead of growing whole in memory; what is left at
    // the end stays in the text. Without a sink every byte stays.
    void handOnTo(std::function<void(std::string_view)> sink, std::size_t blockSize)
    {
        sink_ = std::move(sink);
        blockSize_ = blockSize;
        out_.reserve(blockSize + kElementBuffer);
    }
    // Room for a document of about this many bytes, so that it is not copied while it grows.
    void reserve(std::size_t bytes) { out_.reserve(bytes); }

    // Appends the parts in order: texts as they stand, whole numbers (int) in decimal, each
    // element formatted in one go straight into the text, without a format string or a locale.
    template <typename... Parts>
    void put(const Parts&... parts)
    {
        char* const start = room((boundOf(parts) + ... + 0));
        char* end = start;
        ((end = writeTo(end, parts)), ...);
        used_ += static_cast<std::size_t>(end - start);
        handOnWhenFull();
    }

    // A waveform path: begun at the pen's start point, one entry per move or line.
    void beginPath(int x, int y);
    void pathMove(int x, int y);
    void pathLine(int x, int y);
    void endPath(bool dotted);

    void edgeArrow(const Point (&points)[3]);
    void periodLine(int x, int top, int bottom);
    void cycleLabel(int x, int y, std::string_view label);
    // Separator row strokes; style is the element's whole style attribute.
    void separatorLine(int x1, int x2, int y, std::string_view style);

    // A signal name: the text element, one tspan per line, the closing tag.
    void beginText(int x, int y, int pointSize, std::string_view face);
    void textSpan(int x, int y, std::string_view text);
    void endText();
    void activeLowBar(int x1, int x2, int y);

    // Text written into elements: as UTF-8 (the single-byte text of older diagrams converted)
    // with the XML special characters escaped.
    static std::string escaped(std::string_view text);

    // The id of the next element that carries one; advances the counter.
    int takeId();

private:
    // The room an element is written in grows by at least this much at a time.
    static constexpr std::size_t kElementBuffer = 512;
    static constexpr std::size_t kIntDigits = 11; // "-2147483648"

    // Literals: their length is known when compiling.
    template <std::size_t N>
    static std::size_t boundOf(const char (&)[N])
    {
        return N - 1;
    }
    template <std::size_t N>
    [[gnu::always_inline]] static char* writeTo(char* at, const char (&literal)[N])
    {
        std::memcpy(at, literal, N - 1);
        return at + N - 1;
    }
    static std::size_t boundOf(std::string_view text) { return text.size(); }
    static std::size_t boundOf(int) { return kIntDigits; }
    [[gnu::always_inline]] static char* writeTo(char* at, std::string_view text)
    {
        if (!text.empty())
            std::memcpy(at, text.data(), text.size());
        return at + text.size();
    }
    // Coordinates are below 100000000 (a wide diagram reaches past 10000): those go by pairs of
    // digits, four at a time.
    [[gnu::always_inline]] static char* writeTo(char* at, int value)
    {
        if (value < 0 || value >= 100000000)
            return std::to_chars(at, at + kIntDigits, value).ptr;
        if (value < 10000)
            return writeShort(at, value);
        return writeFourDigits(writeShort(at, value / 10000), value % 10000);
    }
    static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                     "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                     "8081828384858687888990919293949596979899";
    // 0 to 9999 without leading zeros.
    [[gnu::always_inline]] static char* writeShort(char* at, int value)
    {
        const int high = value / 100, low = value % 100;
        if (high == 0) {
            if (low < 10) {
                *at = static_cast<char>('0' + low);
                return at + 1;
            }
            std::memcpy(at, kPairs + 2 * low, 2);
            return at + 2;
        }
        if (high < 10) {
            *at++ = static_cast<char>('0' + high);
        } else {
            std::memcpy(at, kPairs + 2 * high, 2);
            at += 2;
        }
        std::memcpy(at, kPairs + 2 * low, 2);
        return at + 2;
    }
    // 0 to 9999 as exactly four digits.
    [[gnu::always_inline]] static char* writeFourDigits(char* at, int value)
    {
        std::memcpy(at, kPairs + 2 * (value / 100), 2);
        std::memcpy(at + 2, kPairs + 2 * (value % 100), 2);
        return at + 4;
    }
    // A place to write at least bytes more characters: the end of the text, the text's storage
    // grown when it is short. The storage is kept as long as it is filled (out_'s size), and only
    // the first used_ characters are text.
    char* room(std::size_t bytes)
    {
        if (out_.size() - used_ < bytes)
            grow(bytes);
        return out_.data() + used_;
    }
    void grow(std::size_t bytes);

    void handOnWhenFull()
    {
        if (sink_ && used_ >= blockSize_) {
            sink_(text());
            used_ = 0;
        }
    }

    std::string out_;
    std::size_t used_ = 0;
    std::function<void(std::string_view)> sink_;
    std::size_t blockSize_ = 0;
};

} // namespace sigmora::render
