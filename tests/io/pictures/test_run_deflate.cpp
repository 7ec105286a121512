#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <zlib.h>

#include "io/pictures/RunDeflate.h"

using namespace sigmora;

namespace {

// zlib's inflater on a raw deflate stream: what any reader gets back, or "damaged".
std::string inflated(const std::string& stream, std::size_t expected)
{
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK)
        return "no inflater";
    std::string out(expected + 16, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    inflateEnd(&z);
    return status == Z_STREAM_END && z.avail_in == 0 ? out : "damaged";
}

std::string runs(std::initializer_list<std::pair<char, std::size_t>> parts)
{
    std::string out;
    for (const auto& [byte, count] : parts)
        out.append(count, byte);
    return out;
}

std::string mixed(std::size_t size)
{
    std::string out;
    unsigned seed = 7;
    while (out.size() < size) {
        seed = seed * 1103515245u + 12345u;
        const char byte = static_cast<char>(seed >> 24);
        out.append((seed >> 8) % 3 == 0 ? 1 + (seed >> 12) % 700 : 1, byte);
    }
    out.resize(size);
    return out;
}

struct DeflateCase {
    const char* name;
    std::string bytes;
    std::size_t piece; // bytes handed over at a time
};

void PrintTo(const DeflateCase& c, std::ostream* os) { *os << c.name; }

class RunDeflate : public testing::TestWithParam<DeflateCase> {};

// Every byte comes back, whatever the runs' lengths (short of a copy, one or two past a longest
// copy, across the pieces handed over) and every byte value (8- and 9-bit literal codes).
TEST_P(RunDeflate, InflatesToTheBytesGiven)
{
    const std::string& bytes = GetParam().bytes;
    io::RunDeflater deflater;
    for (std::size_t at = 0; at < bytes.size(); at += GetParam().piece)
        deflater.add(reinterpret_cast<const std::uint8_t*>(bytes.data() + at), std::min(GetParam().piece, bytes.size() - at));
    deflater.finish(true);
    EXPECT_EQ(inflated(deflater.bytes(), bytes.size()), bytes);
    if (bytes.size() > 4096) {
        EXPECT_LT(deflater.bytes().size(), bytes.size()); // runs pack
    }
}

std::string everyByte()
{
    std::string out;
    for (int b = 0; b < 256; ++b)
        out += static_cast<char>(b);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, RunDeflate,
    testing::Values(DeflateCase{"Nothing", "", 1}, DeflateCase{"OneByte", "x", 1},
                    DeflateCase{"EveryByteValue", everyByte() + everyByte(), 100},
                    DeflateCase{"RunsAroundACopy", runs({{'a', 1}, {'b', 2}, {'c', 3}, {'d', 4}, {'e', 259}, {'f', 260},
                                                         {'g', 261}, {'h', 262}, {'i', 516}, {'j', 517}}), 1000},
                    DeflateCase{"RunsAcrossPieces", runs({{'\0', 5000}, {'\xff', 3}, {'\0', 70000}}), 7},
                    DeflateCase{"Mixed", mixed(300000), 4099}),
    [](const auto& info) { return std::string(info.param.name); });

// Pieces made apart and joined read as one stream: each but the last ends on a byte boundary
// without closing it.
TEST(RunDeflatePieces, JoinIntoOneStream)
{
    const std::vector<std::string> parts = {mixed(5000), runs({{'z', 9000}}), "", mixed(777)};
    std::string joined, expected;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        io::RunDeflater piece;
        piece.add(reinterpret_cast<const std::uint8_t*>(parts[i].data()), parts[i].size());
        piece.finish(i + 1 == parts.size());
        joined += piece.bytes();
        expected += parts[i];
    }
    EXPECT_EQ(inflated(joined, expected.size()), expected);
    io::RunDeflater open;
    open.add(reinterpret_cast<const std::uint8_t*>(expected.data()), expected.size());
    open.finish(false);
    EXPECT_EQ(inflated(open.bytes(), expected.size()), "damaged"); // a stream left open is no whole stream
}

} // namespace
