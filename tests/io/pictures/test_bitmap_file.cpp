#include <gtest/gtest.h>

#include <vector>

#include "io/pictures/BitmapFile.h"
#include "io/pictures/PictureSize.h"
#include "model/RowFactory.h"
#include "render/PrintMapping.h"

using namespace sigmora;

namespace {

std::uint32_t le32(const std::string& b, size_t at)
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

} // namespace

TEST(BitmapFile, DefaultOneSignalDiagramIs736By96WithExactHeadersAndBottomUpRows)
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "S", 1));
    const io::PictureSize size = io::wholeDiagramPictureSize(d);
    ASSERT_EQ(size.width, 736); // 745 rounded down
    ASSERT_EQ(size.height, 96); // 104 rounded down
    std::vector<std::vector<std::uint8_t>> rows(96, std::vector<std::uint8_t>(736 * 4));
    for (int y = 0; y < 96; ++y)
        rows[static_cast<size_t>(y)][0] = static_cast<std::uint8_t>(y);
    const std::string b = io::bitmapFileBytes(736, 96, 32, [&](int y) { return rows[static_cast<size_t>(y)].data(); });
    const std::uint32_t rowBytes = 736 * 4;
    ASSERT_EQ(b.size(), rowBytes * 96 + 54);
    EXPECT_EQ(b.substr(0, 2), "BM");
    EXPECT_EQ(le32(b, 2), rowBytes * 96 + 54);
    EXPECT_EQ(le32(b, 6), 0u);
    EXPECT_EQ(le32(b, 10), 54u);
    EXPECT_EQ(le32(b, 14), 40u);
    EXPECT_EQ(le32(b, 18), 736u);
    EXPECT_EQ(le32(b, 22), 96u);
    EXPECT_EQ(le32(b, 26), 1u | (32u << 16)); // planes, bits per pixel
    for (size_t at = 30; at < 54; at += 4)
        EXPECT_EQ(le32(b, at), 0u) << at;
    EXPECT_EQ(static_cast<unsigned char>(b[54]), 95); // the bottom row first
    EXPECT_EQ(static_cast<unsigned char>(b[54 + rowBytes * 95]), 0);
}

TEST(BitmapFile, DepthsOtherThanTheFourAreWrittenAs32)
{
    for (auto [depth, written] : {std::pair{8, 8}, {16, 16}, {24, 24}, {32, 32}, {1, 32}, {30, 32}, {0, 32}})
        EXPECT_EQ(io::bitmapBitsPerPixel(depth), written) << depth;
}

TEST(BitmapFile, PrintMappingOf600DpiIsFourToTwentyFive)
{
    const auto m = render::PrintMapping::forDpi(600);
    EXPECT_EQ(m.windowExtent, 4);
    EXPECT_EQ(m.viewportExtent, 25);
    EXPECT_DOUBLE_EQ(m.scale(), 6.25);
    EXPECT_EQ(render::PrintMapping::forDpi(96).scale(), 1.0);
}
