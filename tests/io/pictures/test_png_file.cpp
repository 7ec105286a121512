#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>
#include <zlib.h>

#include "io/pictures/PngFile.h"

using namespace sigmora;

namespace {

std::uint32_t be32(const std::string& b, std::size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3]));
}

// A picture of 0xFFRRGGBB words, row after row, as a drawing surface holds it.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)]; }
};

// What a reader finds in the file: the chunks in order (each checked against its CRC), the
// header's fields, and the pixels after inflating the data with zlib and undoing the filters.
struct Decoded {
    std::vector<std::string> chunks;
    int width = 0, height = 0, depth = 0, type = 0;
    std::uint32_t dotsPerMeter = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB
};

Decoded decode(const std::string& png)
{
    Decoded d;
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::string palette, data;
    for (std::size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = be32(png, at);
        const std::string type = png.substr(at + 4, 4);
        const std::string body = png.substr(at + 8, length);
        const auto* typed = reinterpret_cast<const Bytef*>(png.data() + at + 4);
        EXPECT_EQ(be32(png, at + 8 + length), crc32(0, typed, length + 4)) << type;
        if (d.chunks.empty() || d.chunks.back() != type)
            d.chunks.push_back(type);
        if (type == "IHDR") {
            d.width = static_cast<int>(be32(body, 0));
            d.height = static_cast<int>(be32(body, 4));
            d.depth = body[8];
            d.type = body[9];
        } else if (type == "pHYs") {
            d.dotsPerMeter = be32(body, 0);
            EXPECT_EQ(be32(body, 4), d.dotsPerMeter);
        } else if (type == "PLTE") {
            palette = body;
        } else if (type == "IDAT") {
            data += body;
        }
        at += 12 + length;
    }
    const std::size_t pixelBytes = d.type == 3 ? 1 : 3;
    const std::size_t rowBytes = static_cast<std::size_t>(d.width) * pixelBytes + 1;
    std::vector<std::uint8_t> raw(rowBytes * static_cast<std::size_t>(d.height));
    uLongf rawSize = static_cast<uLongf>(raw.size());
    EXPECT_EQ(uncompress(raw.data(), &rawSize, reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size())), Z_OK);
    EXPECT_EQ(rawSize, raw.size());
    std::vector<std::uint8_t> above(rowBytes - 1, 0);
    for (int y = 0; y < d.height; ++y) {
        std::uint8_t* row = raw.data() + static_cast<std::size_t>(y) * rowBytes;
        const int filter = row[0];
        EXPECT_TRUE(filter == 0 || filter == 1 || filter == 2) << "filter " << filter << " on row " << y;
        std::uint8_t* bytes = row + 1;
        for (std::size_t i = 0; i < rowBytes - 1; ++i) {
            if (filter == 1 && i >= pixelBytes)
                bytes[i] = static_cast<std::uint8_t>(bytes[i] + bytes[i - pixelBytes]);
            else if (filter == 2)
                bytes[i] = static_cast<std::uint8_t>(bytes[i] + above[i]);
        }
        std::memcpy(above.data(), bytes, rowBytes - 1);
        for (int x = 0; x < d.width; ++x) {
            const std::uint8_t* p = d.type == 3 ? reinterpret_cast<const std::uint8_t*>(palette.data()) + 3 * bytes[x]
                                                : bytes + 3 * static_cast<std::size_t>(x);
            d.pixels.push_back(static_cast<std::uint32_t>(p[0]) << 16 | static_cast<std::uint32_t>(p[1]) << 8 | p[2]);
        }
    }
    return d;
}

// Drawings: a white page with black horizontal lines, dotted vertical ones and a few flood
// colours; rows repeat between the lines.
Picture drawing(int width, int height, int floods)
{
    Picture p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFFFFFFFFu)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if (y % 44 == 10 || (x % 30 == 5 && y % 6 < 3))
                p.at(x, y) = 0xFF000000u;
            else if (floods > 0 && y % 44 > 20 && y % 44 < 30 && x % 90 < 40)
                p.at(x, y) = 0xFF000000u | (0x203040u * static_cast<std::uint32_t>(1 + (x / 90) % floods));
        }
    return p;
}

// Every pixel of its own shade, as antialiased text gives many.
Picture shades(int width, int height, int repeatedRows)
{
    Picture p{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height))};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = 0x7F000000u | static_cast<std::uint32_t>((x * 7 + (y / repeatedRows) * 131) & 0xFFFFFF);
    return p;
}

struct PngCase {
    const char* name;
    Picture picture;
    int type; // 3 palette, 2 RGB
};

void PrintTo(const PngCase& c, std::ostream* os) { *os << c.name; }

class PngFiles : public testing::TestWithParam<PngCase> {};

// Every reader gets back the very pixels drawn, from a file of valid chunks: a palette for
// drawings of up to 256 colours, RGB for any other, whether or not the picture is large enough to
// be deflated in pieces.
TEST_P(PngFiles, GiveBackEveryPixel)
{
    Picture picture = GetParam().picture;
    const std::string png = io::pngFileBytes(picture.width, picture.height, 3780, [&](int y) {
        return reinterpret_cast<const std::uint8_t*>(&picture.at(0, y));
    });
    const Decoded d = decode(png);
    EXPECT_EQ(d.width, picture.width);
    EXPECT_EQ(d.height, picture.height);
    EXPECT_EQ(d.depth, 8);
    EXPECT_EQ(d.type, GetParam().type);
    EXPECT_EQ(d.dotsPerMeter, 3780u);
    const std::vector<std::string> chunks = GetParam().type == 3 ? std::vector<std::string>{"IHDR", "pHYs", "PLTE", "IDAT", "IEND"}
                                                                 : std::vector<std::string>{"IHDR", "pHYs", "IDAT", "IEND"};
    EXPECT_EQ(d.chunks, chunks);
    ASSERT_EQ(d.pixels.size(), picture.pixels.size());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < d.pixels.size(); ++i)
        wrong += d.pixels[i] != (picture.pixels[i] & 0xFFFFFFu);
    EXPECT_EQ(wrong, 0u);
}

Picture exactlyColours(int colours)
{
    Picture p{colours, 3, std::vector<std::uint32_t>(static_cast<std::size_t>(colours) * 3)};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < colours; ++x)
            p.at(x, y) = 0xFF000000u | static_cast<std::uint32_t>(x * 65793); // greys and past them
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PngFiles,
    testing::Values(PngCase{"SmallDrawing", drawing(200, 100, 3), 3}, PngCase{"OnePixel", drawing(1, 1, 0), 3},
                    PngCase{"Exactly256Colours", exactlyColours(256), 3}, PngCase{"Colour257", exactlyColours(257), 2},
                    PngCase{"SmallShades", shades(90, 40, 1), 2},
                    PngCase{"LargeDrawingInPieces", drawing(1500, 900, 5), 3},
                    PngCase{"LargeShadesInPieces", shades(1100, 1000, 7), 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PngFile, NoPictureNoFile)
{
    const std::uint32_t pixel = 0;
    const auto row = [&](int) { return reinterpret_cast<const std::uint8_t*>(&pixel); };
    EXPECT_EQ(io::pngFileBytes(0, 5, 3780, row), "");
    EXPECT_EQ(io::pngFileBytes(5, 0, 3780, row), "");
}

} // namespace
