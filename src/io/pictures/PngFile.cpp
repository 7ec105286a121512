#include "io/pictures/PngFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include <zlib.h>

#include "io/pictures/RunDeflate.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::size_t kIdatBytes = 1u << 20; // compressed bytes per IDAT chunk
constexpr int kPaletteColours = 256;
constexpr std::uint8_t kFilterNone = 0;
constexpr std::uint8_t kFilterSub = 1;
constexpr std::uint8_t kFilterUp = 2;
constexpr std::uint8_t kPaletteType = 3;
constexpr std::uint8_t kRgbType = 2;
constexpr long long kPiecePixels = 1LL << 20; // pictures from this size are deflated in pieces

void put32(std::string& out, std::uint32_t v)
{
    const char bytes[4] = {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
                           static_cast<char>(v)};
    out.append(bytes, 4);
}

void chunk(std::string& out, std::string_view type, std::string_view data)
{
    put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type).append(data);
    const auto* bytes = reinterpret_cast<const Bytef*>(out.data() + start);
    put32(out, static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(out.size() - start))));
}

std::uint32_t pixelAt(const std::uint8_t* row, int x)
{
    std::uint32_t v;
    std::memcpy(&v, row + 4 * static_cast<std::size_t>(x), 4);
    return v & 0xFFFFFFu;
}

// The colours met so far, numbered in the order met; an open hash finds a colour's number.
class Palette {
public:
    // The colour's number, or -1 once a colour past the 256th is met.
    int indexOf(std::uint32_t rgb)
    {
        const std::size_t at = slotOf(rgb);
        if (keys_[at] != 0)
            return numbers_[at];
        if (colours_.size() == kPaletteColours)
            return -1;
        keys_[at] = rgb | kUsed;
        numbers_[at] = static_cast<std::uint8_t>(colours_.size());
        colours_.push_back(rgb);
        return numbers_[at];
    }
    // The number of a colour met before.
    int find(std::uint32_t rgb) const { return numbers_[slotOf(rgb)]; }
    std::string entries() const
    {
        std::string out;
        for (std::uint32_t c : colours_) {
            out.push_back(static_cast<char>(c >> 16));
            out.push_back(static_cast<char>(c >> 8));
            out.push_back(static_cast<char>(c));
        }
        return out;
    }

private:
    static constexpr int kHashBits = 10;
    static constexpr std::uint32_t kUsed = 1u << 24; // marks a slot taken (colours have 24 bits)

    // The slot of the colour, or the empty one where it would go.
    std::size_t slotOf(std::uint32_t rgb) const
    {
        std::size_t at = (rgb * 2654435761u) >> (32 - kHashBits);
        while (keys_[at] != 0 && keys_[at] != (rgb | kUsed))
            at = (at + 1) & (keys_.size() - 1);
        return at;
    }

    std::array<std::uint32_t, 1u << kHashBits> keys_{};
    std::array<std::uint8_t, 1u << kHashBits> numbers_{};
    std::vector<std::uint32_t> colours_;
};

// How a row is written: its filter byte and its pixels, as palette numbers or as RGB.
class RowFormat {
public:
    RowFormat(int width, const Palette* palette) : width_(width), palette_(palette) {}
    int width() const { return width_; }
    std::size_t bytes() const { return static_cast<std::size_t>(width_) * (palette_ ? 1 : 3) + 1; }
    // Palette numbers are written as they are; RGB as each byte's difference from the same byte of
    // the pixel to its left, which makes a run of any one colour a run of zeros.
    void format(const std::uint8_t* pixels, std::uint8_t* to) const
    {
        if (palette_) {
            *to++ = kFilterNone;
            std::uint32_t last = 0xFFFFFFFFu;
            std::uint8_t index = 0;
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t rgb = pixelAt(pixels, x);
                if (rgb != last) {
                    index = static_cast<std::uint8_t>(palette_->find(rgb));
                    last = rgb;
                }
                *to++ = index;
            }
            return;
        }
        *to++ = kFilterSub;
        std::uint32_t left = 0;
        for (int x = 0; x < width_; ++x) {
            const std::uint32_t rgb = pixelAt(pixels, x);
            to[0] = static_cast<std::uint8_t>((rgb >> 16) - (left >> 16));
            to[1] = static_cast<std::uint8_t>((rgb >> 8) - (left >> 8));
            to[2] = static_cast<std::uint8_t>(rgb - left);
            to += 3;
            left = rgb;
        }
    }

private:
    int width_;
    const Palette* palette_;
};

// The deflated rows first to last - 1 of the picture, without the zlib header and check value:
// pieces made side by side are joined into one stream (each but the last ends on a byte
// boundary, not as the final block) and their check values combined.
struct Piece {
    int first = 0, last = 0;
    bool final = false;
    std::string bytes;
    uLong adler = 1;
    std::size_t rawBytes = 0;
    bool ok = false;
};

void deflatePiece(Piece& piece, const RowFormat& format, const std::function<const std::uint8_t*(int)>& row)
{
    const std::size_t bytes = format.bytes();
    std::vector<std::uint8_t> filtered(bytes), same(bytes, 0);
    same[0] = kFilterUp;
    RunDeflater deflater;
    // A row whose pixels repeat the row above is written as zeros under the Up filter, whose
    // check value is known once for all.
    const uLong sameAdler = adler32(1, same.data(), static_cast<uInt>(bytes));
    const std::size_t pixelBytes = 4 * static_cast<std::size_t>(format.width());
    for (int y = piece.first; y < piece.last; ++y) {
        const std::uint8_t* pixels = row(y);
        const bool repeated = y > 0 && std::memcmp(pixels, row(y - 1), pixelBytes) == 0;
        if (repeated) {
            piece.adler = adler32_combine(piece.adler, sameAdler, static_cast<z_off_t>(bytes));
            deflater.add(same.data(), bytes);
        } else {
            format.format(pixels, filtered.data());
            piece.adler = adler32(piece.adler, filtered.data(), static_cast<uInt>(bytes));
            deflater.add(filtered.data(), bytes);
        }
        piece.rawBytes += bytes;
    }
    deflater.finish(piece.final);
    piece.bytes = std::move(deflater.bytes());
    piece.ok = true;
}

// The zlib stream of the picture's rows, deflated in as many pieces side by side as the machine
// has cores (up to four) when the picture is large enough to gain by it.
bool deflateRows(int width, int height, const Palette* palette, const std::function<const std::uint8_t*(int)>& row,
                 std::string& out)
{
    const RowFormat format(width, palette);
    const bool large = static_cast<long long>(width) * height >= kPiecePixels;
    const int cores = static_cast<int>(std::min(4u, std::max(1u, std::thread::hardware_concurrency())));
    const int count = large ? std::min(cores, height) : 1;
    std::vector<Piece> pieces(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Piece& piece = pieces[static_cast<std::size_t>(i)];
        piece.first = static_cast<int>(static_cast<long long>(height) * i / count);
        piece.last = static_cast<int>(static_cast<long long>(height) * (i + 1) / count);
        piece.final = i == count - 1;
    }
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < pieces.size(); ++i)
        helpers.emplace_back(deflatePiece, std::ref(pieces[i]), std::cref(format), std::cref(row));
    deflatePiece(pieces[0], format, row);
    for (std::thread& helper : helpers)
        helper.join();
    out = std::string("\x78\x01", 2); // deflate, 32 KiB window, fastest level
    uLong adler = 1;
    for (const Piece& piece : pieces) {
        if (!piece.ok)
            return false;
        out += piece.bytes;
        adler = adler32_combine(adler, piece.adler, static_cast<z_off_t>(piece.rawBytes));
    }
    put32(out, static_cast<std::uint32_t>(adler));
    return true;
}

// The palette of a picture of at most 256 colours; false for any other.
bool paletteOf(int width, int height, const std::function<const std::uint8_t*(int)>& row, Palette& palette)
{
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* pixels = row(y);
        std::uint32_t last = 0xFFFFFFFFu;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixelAt(pixels, x);
            if (rgb != last && palette.indexOf(rgb) < 0)
                return false;
            last = rgb;
        }
    }
    return true;
}

} // namespace

std::string pngFileBytes(int width, int height, int dotsPerMeter, const std::function<const std::uint8_t*(int)>& row)
{
    if (width <= 0 || height <= 0)
        return {};
    Palette palette;
    const bool paletted = paletteOf(width, height, row, palette);
    std::string data;
    if (!deflateRows(width, height, paletted ? &palette : nullptr, row, data))
        return {};

    std::string out(kSignature);
    std::string header;
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    // 8 bits a sample, the colour type, deflate, filters chosen per row, no interlacing.
    const char rest[5] = {8, static_cast<char>(paletted ? kPaletteType : kRgbType), 0, 0, 0};
    header.append(rest, 5);
    chunk(out, "IHDR", header);
    if (dotsPerMeter > 0) {
        std::string physical;
        put32(physical, static_cast<std::uint32_t>(dotsPerMeter));
        put32(physical, static_cast<std::uint32_t>(dotsPerMeter));
        physical.push_back(1); // per metre
        chunk(out, "pHYs", physical);
    }
    if (paletted)
        chunk(out, "PLTE", palette.entries());
    out.reserve(out.size() + data.size() + (data.size() / kIdatBytes + 2) * 12);
    for (std::size_t at = 0; at < data.size(); at += kIdatBytes)
        chunk(out, "IDAT", std::string_view(data).substr(at, kIdatBytes));
    chunk(out, "IEND", {});
    return out;
}

} // namespace sigmora::io
