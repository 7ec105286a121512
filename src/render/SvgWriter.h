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

    const std::string& text() const { return out_; }
    std::string takeText();
    void append(std::string_view raw)
    {
        out_.append(raw);
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
    // element formatted in one go without a format string or a locale.
    template <typename... Parts>
    void put(const Parts&... parts)
    {
        const std::size_t bound = (boundOf(parts) + ... + 0);
        if (bound <= kElementBuffer) {
            char buffer[kElementBuffer];
            char* end = buffer;
            ((end = writeTo(end, parts)), ...);
            out_.append(buffer, static_cast<std::size_t>(end - buffer));
            handOnWhenFull();
            return;
        }
        (appendPart(parts), ...);
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
    static constexpr std::size_t kElementBuffer = 512;
    static constexpr std::size_t kIntDigits = 11; // "-2147483648"

    // Literals: their length is known when compiling.
    template <std::size_t N>
    static std::size_t boundOf(const char (&)[N])
    {
        return N - 1;
    }
    template <std::size_t N>
    static char* writeTo(char* at, const char (&literal)[N])
    {
        std::memcpy(at, literal, N - 1);
        return at + N - 1;
    }
    static std::size_t boundOf(std::string_view text) { return text.size(); }
    static std::size_t boundOf(int) { return kIntDigits; }
    static char* writeTo(char* at, std::string_view text)
    {
        if (!text.empty())
            std::memcpy(at, text.data(), text.size());
        return at + text.size();
    }
    // Coordinates are mostly below 10000: those go by pairs of digits.
    static char* writeTo(char* at, int value)
    {
        static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                         "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                         "8081828384858687888990919293949596979899";
        if (value < 0 || value >= 10000)
            return std::to_chars(at, at + kIntDigits, value).ptr;
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
    void appendPart(std::string_view text) { out_.append(text); }
    void appendPart(int value)
    {
        char digits[kIntDigits];
        out_.append(digits, static_cast<std::size_t>(writeTo(digits, value) - digits));
    }

    void handOnWhenFull()
    {
        if (sink_ && out_.size() >= blockSize_) {
            sink_(out_);
            out_.clear();
        }
    }

    std::string out_;
    std::function<void(std::string_view)> sink_;
    std::size_t blockSize_ = 0;
};

} // namespace sigmora::render
