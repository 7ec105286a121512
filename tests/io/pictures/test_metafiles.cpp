#include <gtest/gtest.h>

#include "io/pictures/MetafilePictures.h"
#include "io/pictures/PictureSize.h"
#include "model/RowFactory.h"
#include "render/ShapeOutline.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;

namespace {

std::uint32_t le(const std::string& b, size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b.at(at + static_cast<size_t>(i)));
    return v;
}

model::Diagram diagramWith(int rows, const std::string& name = "S")
{
    model::Diagram d;
    for (int i = 0; i < rows; ++i)
        d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, name, 1));
    return d;
}

// Walks the records of a classic metafile after its two headers: their function numbers, with
// the largest record's size in words.
std::vector<std::uint16_t> wmfFunctions(const std::string& b, std::uint32_t& largest)
{
    std::vector<std::uint16_t> functions;
    largest = 0;
    for (size_t at = 22 + 18; at + 6 <= b.size();) {
        const std::uint32_t words = le(b, at, 4);
        if (words < 3)
            break;
        largest = std::max(largest, words);
        functions.push_back(static_cast<std::uint16_t>(le(b, at + 4, 2)));
        at += words * 2;
    }
    return functions;
}

} // namespace

TEST(Metafiles, ExtentAndFrameUnits)
{
    struct Case {
        int rows;
        bool clipboard;
        io::PictureSize extent;
    };
    // 5 + 100 + 600 + 8 wide; 20 + rows x 44 + 8 high, 10 more for the clipboard.
    for (const Case& c : {Case{1, false, {713, 72}}, Case{1, true, {713, 82}}, Case{3, false, {713, 160}}})
        EXPECT_EQ(io::metafileExtent(diagramWith(c.rows), c.clipboard), c.extent) << c.rows << c.clipboard;
    struct Units {
        std::int64_t pixels;
        int mm, resolution;
        std::int64_t hundredths;
    };
    for (const Units& u : {Units{713, 320, 1024, 22281}, Units{1, 320, 1024, 31}, Units{96, 254, 960, 2540},
                           Units{-5, 320, 1024, -156}, Units{50, 320, 0, 0}})
        EXPECT_EQ(io::hundredthsOfMillimetre(u.pixels, u.mm, u.resolution), u.hundredths) << u.pixels;
}

TEST(Metafiles, EnhancedMetafileHeaderFrameDescriptionAndRecords)
{
    const model::Diagram d = diagramWith(2);
    test::FixedMeasurer measurer;
    model::ReaderReport report;
    const io::PictureSize extent = io::metafileExtent(d, false);
    const std::string b = io::emfPicture(d, {}, measurer, extent, report);
    ASSERT_GT(b.size(), 108u);
    EXPECT_EQ(le(b, 0, 4), 1u); // the header record
    EXPECT_EQ(b.substr(40, 4), " EMF");
    EXPECT_EQ(le(b, 48, 4), b.size()); // bytes in the file
    // The frame in hundredths of a millimetre, from the origin.
    EXPECT_EQ(le(b, 24, 4), 0u);
    EXPECT_EQ(le(b, 32, 4), static_cast<std::uint32_t>(io::hundredthsOfMillimetre(extent.width, 320, 1024)));
    EXPECT_EQ(le(b, 36, 4), static_cast<std::uint32_t>(io::hundredthsOfMillimetre(extent.height, 240, 768)));
    // The description "Sigmora" in UTF-16, then an empty picture name.
    const std::uint32_t chars = le(b, 60, 4), offset = le(b, 64, 4);
    ASSERT_GE(chars, 8u);
    std::string description;
    for (std::uint32_t i = 0; i < 7; ++i)
        description += static_cast<char>(le(b, offset + 2 * i, 2));
    EXPECT_EQ(description, "Sigmora");
    EXPECT_EQ(le(b, offset + 14, 2), 0u);
    // The records fill the file exactly and the last one ends it.
    std::uint32_t records = 0, last = 0;
    size_t at = 0;
    while (at + 8 <= b.size()) {
        last = le(b, at, 4);
        at += le(b, at + 4, 4);
        ++records;
    }
    EXPECT_EQ(at, b.size());
    EXPECT_EQ(records, le(b, 52, 4));
    EXPECT_EQ(last, 14u); // EMR_EOF
}

TEST(Metafiles, WindowsMetafileHeadersChecksumAndRecords)
{
    struct Case {
        const char* what;
        int rows;
        int waveformWidth;
        std::string name;
    };
    const Case cases[] = {
        {"default", 1, 600, "S"},
        {"wider than 16-bit coordinates", 3, 40000, "S"},
        {"a name outside Latin-1", 1, 600, "\xE2\x82\xAC" "data\xC3\xA9"},
    };
    for (const Case& c : cases) {
        model::Diagram d = diagramWith(c.rows, c.name);
        d.settings.waveformWidth = c.waveformWidth;
        test::FixedMeasurer measurer;
        model::ReaderReport report;
        const io::PictureSize extent = io::metafileExtent(d, false);
        const std::string b = io::wmfPicture(d, {}, measurer, extent, report);
        ASSERT_GT(b.size(), 40u) << c.what;
        EXPECT_EQ(le(b, 0, 4), 0x9AC6CDD7u) << c.what;
        EXPECT_EQ(le(b, 10, 2), std::min<std::int64_t>(extent.width, 32767)) << c.what;
        EXPECT_EQ(le(b, 12, 2), extent.height) << c.what;
        EXPECT_EQ(le(b, 14, 2), 96u) << c.what;
        std::uint16_t checksum = 0;
        for (size_t i = 0; i < 20; i += 2)
            checksum ^= static_cast<std::uint16_t>(le(b, i, 2));
        EXPECT_EQ(le(b, 20, 2), checksum) << c.what;
        EXPECT_EQ(le(b, 22, 2), 1u) << c.what; // in memory
        EXPECT_EQ(le(b, 24, 2), 9u) << c.what;
        EXPECT_EQ(le(b, 26, 2), 0x0300u) << c.what;
        EXPECT_EQ(le(b, 28, 4) * 2, b.size() - 22) << c.what;
        std::uint32_t largest = 0;
        const auto functions = wmfFunctions(b, largest);
        ASSERT_FALSE(functions.empty()) << c.what;
        EXPECT_EQ(functions.back(), 0u) << c.what; // the closing record
        EXPECT_EQ(le(b, 34, 4), largest) << c.what;
        EXPECT_GT(le(b, 32, 2), 0u) << c.what; // objects
        for (std::uint16_t f : {0x0325, 0x02FA, 0x02FB, 0x0521}) // polyline, pen, font, text
            EXPECT_NE(std::find(functions.begin(), functions.end(), f), functions.end()) << c.what << " " << f;
    }
    // Text goes out in Latin-1: the euro sign is not in it.
    model::Diagram d = diagramWith(1, "\xE2\x82\xAC" "x\xC3\xA9");
    test::FixedMeasurer measurer;
    model::ReaderReport report;
    const std::string b = io::wmfPicture(d, {}, measurer, io::metafileExtent(d, false), report);
    EXPECT_NE(b.find("?x\xE9"), std::string::npos);
}

TEST(Metafiles, CurvesAndRoundedCornersAsLines)
{
    const render::Point curve[] = {{0, 0}, {10, 30}, {20, 30}, {30, 0}, {40, -30}, {50, -30}, {60, 0}};
    const auto line = render::flattenedBezier(curve, 7, 16);
    ASSERT_EQ(line.size(), 33u);
    EXPECT_EQ(line.front(), (render::Point{0, 0}));
    EXPECT_EQ(line[16], (render::Point{30, 0}));
    EXPECT_EQ(line.back(), (render::Point{60, 0}));
    EXPECT_TRUE(render::flattenedBezier(curve, 3, 16).empty());

    const render::Rect r{10, 20, 110, 60};
    const auto outline = render::roundedRectOutline(r, 20, 16, 6);
    ASSERT_EQ(outline.size(), 28u);
    int left = 1000, right = -1000, top = 1000, bottom = -1000;
    for (const render::Point& p : outline) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    EXPECT_EQ((render::Rect{left, top, right, bottom}), r);
    // The corners are cut: no point lies in a corner of the rectangle.
    for (const render::Point& p : outline)
        EXPECT_FALSE((p.x == r.left || p.x == r.right) && (p.y == r.top || p.y == r.bottom));
}
