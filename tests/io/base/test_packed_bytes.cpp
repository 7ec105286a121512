#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "io/native/NativeFileWriter.h"
#include "io/base/PackedBytes.h"
#include "support/LargestDiagram.h"

using namespace sigmora;
using io::PackedBytes;

namespace {

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    return bytes;
}

// How many bytes of packed pieces are not shared with the reference.
std::size_t unsharedBytes(const PackedBytes& packed, const PackedBytes& reference)
{
    std::set<const io::PackedPiece*> shared;
    for (const auto& piece : reference.pieces())
        shared.insert(piece.get());
    std::size_t bytes = 0;
    for (const auto& piece : packed.pieces())
        if (!shared.count(piece.get()))
            bytes += piece->size;
    return bytes;
}

} // namespace

TEST(PackedBytes, EveryKindOfBytesComesBackExactly)
{
    const std::string diagram = io::nativeFileBytes(test::largestAnnotatedDiagram());
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"nothing", ""},
        {"one byte", "x"},
        {"shorter than a piece", std::string(1000, 'a')},
        {"a long run of zeros", std::string(300'000, '\0')},
        {"random bytes deflate cannot shrink", randomBytes(200'000, 7)},
        {"the largest diagram", diagram},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PackedBytes packed = PackedBytes::pack(c.bytes);
        EXPECT_EQ(packed.size(), c.bytes.size());
        std::string out = "left over from before";
        ASSERT_TRUE(packed.unpack(out));
        EXPECT_EQ(out, c.bytes);
    }
}

TEST(PackedBytes, TheLargestDiagramShrinksTenfold)
{
    const std::string bytes = io::nativeFileBytes(test::largestAnnotatedDiagram());
    const PackedBytes packed = PackedBytes::pack(bytes);
    std::size_t compressed = 0;
    for (const auto& piece : packed.pieces())
        compressed += piece->compressed.size();
    EXPECT_LT(compressed * 10, bytes.size());
}

// A change shares every piece away from it with the state before, wherever the change shifts the
// bytes after it.
TEST(PackedBytes, AChangeRepacksOnlyThePiecesAroundIt)
{
    const std::string before = io::nativeFileBytes(test::largestAnnotatedDiagram());
    const PackedBytes reference = PackedBytes::pack(before);
    struct Case {
        const char* name;
        std::size_t at, removed;
        std::string inserted;
    };
    const Case cases[] = {
        {"one byte changed", 5000, 1, "#"},
        {"two bytes inserted", 100'000, 0, "12"},
        {"a record shortened", 180'000, 40, ""},
        {"the last byte changed", before.size() - 1, 1, "\x7f"},
        {"the first byte changed", 0, 1, "#"},
        {"bytes added at the end", before.size(), 0, std::string(5000, 'e')},
        {"the end cut off", before.size() - 3000, 3000, ""},
        {"a block of records taken out", 150'000, 9'000, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string after = before;
        after.replace(c.at, c.removed, c.inserted);
        const PackedBytes packed = PackedBytes::pack(after, reference, before);
        std::string out;
        ASSERT_TRUE(packed.unpack(out));
        EXPECT_EQ(out, after);
        EXPECT_LE(unsharedBytes(packed, reference), 3u * 64 * 1024);
        EXPECT_GT(unsharedBytes(packed, reference), 0u);
        // Pieces taken whole from the reference, before and after the change, fall exactly where
        // cutting these bytes from scratch puts them.
        std::vector<std::size_t> ends;
        std::size_t end = 0;
        for (const auto& piece : packed.pieces())
            ends.push_back(end += piece->size);
        EXPECT_EQ(ends, io::pieceEnds(after));
    }
}

TEST(PackedBytes, TheSameBytesShareEveryPiece)
{
    const std::string bytes = io::nativeFileBytes(test::largestAnnotatedDiagram());
    const PackedBytes reference = PackedBytes::pack(bytes);
    const PackedBytes packed = PackedBytes::pack(bytes, reference, bytes);
    EXPECT_EQ(unsharedBytes(packed, reference), 0u);
    EXPECT_EQ(packed.pieces().size(), reference.pieces().size());
    std::string out;
    ASSERT_TRUE(packed.unpack(out));
    EXPECT_EQ(out, bytes);
}

TEST(PackedBytes, CutsFollowTheContentAndKeepTheirBounds)
{
    const std::string bytes = io::nativeFileBytes(test::largestAnnotatedDiagram());
    const std::vector<std::size_t> ends = io::pieceEnds(bytes);
    ASSERT_FALSE(ends.empty());
    EXPECT_EQ(ends.back(), bytes.size());
    std::size_t start = 0;
    for (std::size_t i = 0; i < ends.size(); ++i) {
        EXPECT_LE(ends[i] - start, 64u * 1024) << i;
        if (i + 1 < ends.size()) {
            EXPECT_GE(ends[i] - start, 2u * 1024) << i;
        }
        start = ends[i];
    }
    // Bytes put in front move the cuts after them along, not to other places.
    const std::string shifted = std::string(777, 'p') + bytes;
    const std::vector<std::size_t> shiftedEnds = io::pieceEnds(shifted);
    std::size_t common = 0;
    for (std::size_t end : ends)
        common += std::count(shiftedEnds.begin(), shiftedEnds.end(), end + 777);
    EXPECT_GE(common + 2, ends.size());
}
