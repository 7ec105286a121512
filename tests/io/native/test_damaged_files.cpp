#include <gtest/gtest.h>

#include "io/native/NativeFileFixtures.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"

using namespace sigmora;
using io::ReadResult;
using test::archived;
using test::le32;

namespace {

ReadResult readFresh(std::string_view bytes)
{
    model::Diagram d;
    return io::readAnyVersion(bytes, d);
}

std::string header(std::string_view version = "012")
{
    return archived("SGM") + archived(version) + le32(30) + le32(20) + le32(16) + le32(0);
}

} // namespace

TEST(DamagedFiles, EveryTruncationIsRefusedCleanly)
{
    const std::string full = io::nativeFileBytes(test::fullDiagram(1));
    const std::size_t closing = 11 * 4; // items 30 to 40
    const std::size_t gridsAndSpacing = 2 * 600 * 4 + 2 * 4;
    // Where each version's file is complete.
    const std::pair<const char*, std::size_t> versions[] = {
        {"012", full.size()},
        {"010", full.size() - closing},
        {"009", full.size() - closing},
        {"011", full.size() - closing - gridsAndSpacing},
        {"007", full.size() - closing - gridsAndSpacing},
    };
    for (const auto& [version, complete] : versions) {
        std::string bytes = full;
        bytes.replace(5, 3, version);
        EXPECT_EQ(readFresh(std::string_view(bytes).substr(0, complete)).status, ReadResult::Status::Ok) << version;
        // Every length short of complete; past the first records every 7th, to keep the test quick.
        for (std::size_t length = 0; length < complete; length += length < 400 ? 1 : 7) {
            const ReadResult r = readFresh(std::string_view(bytes).substr(0, length));
            const bool refused = r.status == ReadResult::Status::Damaged || r.status == ReadResult::Status::NotSigmora;
            ASSERT_TRUE(refused) << version << " cut at " << length;
        }
    }
}

TEST(DamagedFiles, AbsurdCountsLengthsAndBytesAreDamage)
{
    const std::string row = model::buildRowRecord(model::NewRowKind::Signal, "S", 1);
    struct Case {
        const char* what;
        std::string bytes;
        const char* problem;
    };
    const Case cases[] = {
        {"more than 256 rows", header() + le32(257) + std::string(257, '\0'), "a list count is out of range"},
        {"a negative count", header() + le32(0xffffffff), "a list count is out of range"},
        {"a count larger than the file", header() + le32(0) + le32(0x7fffffff), "a list count is out of range"},
        {"a text longer than the file", header() + le32(1) + std::string("\xff\xff\xff\xff\xff\xff\x7f", 7),
         "the data ends inside a text"},
        {"a short length cut off", header() + le32(1) + std::string("\xff\x10", 2), "the data ends inside a length"},
        {"a NUL inside a record", header() + le32(1) + archived(std::string("ab\0cd", 5)),
         "a text holds bytes that are not text"},
        {"an escape in a version", archived("SGM") + archived("01\x1b" "2"), "a text holds bytes that are not text"},
        {"grids missing", header() + le32(1) + archived(row) + le32(0) + le32(0) + le32(0) + le32(0) + le32(0),
         "the data ends inside a number"},
    };
    for (const Case& c : cases) {
        const ReadResult r = readFresh(c.bytes);
        EXPECT_EQ(r.status, ReadResult::Status::Damaged) << c.what;
        EXPECT_EQ(r.problem, c.problem) << c.what;
    }
}

TEST(DamagedFiles, TabsAndLineBreaksAreText)
{
    model::Diagram d = test::fullDiagram(1);
    d.store.list(model::ListId::Texts).append("1.2.3.4.two\r\nlines\t.SigmoraNone.");
    const std::string bytes = io::nativeFileBytes(d);
    EXPECT_EQ(readFresh(bytes).status, ReadResult::Status::Ok);
}

TEST(DamagedFiles, AFirstStringThatCannotBeReadIsNotASigmoraFile)
{
    for (const std::string& bytes : {std::string(), std::string("\x05SG", 3), std::string("hello world\n")})
        EXPECT_EQ(readFresh(bytes).status, ReadResult::Status::NotSigmora) << bytes;
}

TEST(DamagedFiles, LayoutSizesNoDiagramCanHaveAreDamage)
{
    using S = model::DiagramSettings;
    const std::pair<int S::*, const char*> sizes[] = {
        {&S::cellWidth, "cellWidth"},         {&S::topMargin, "topMargin"},   {&S::waveformWidth, "waveformWidth"},
        {&S::signalSpacing, "signalSpacing"}, {&S::skipOffset, "skipOffset"}, {&S::nameColumnWidth, "nameColumnWidth"},
    };
    for (const auto& [setting, name] : sizes) {
        for (int value : {1000001, -1000001, 1000000, -1000000}) {
            model::Diagram d = test::fullDiagram(1);
            d.settings.*setting = value;
            const ReadResult r = readFresh(io::nativeFileBytes(d));
            const bool absurd = value > 1000000 || value < -1000000;
            EXPECT_EQ(r.status, absurd ? ReadResult::Status::Damaged : ReadResult::Status::Ok) << name << " " << value;
        }
    }
    for (int value : {1000001, -1000001}) {
        model::Diagram d = test::fullDiagram(2);
        d.store.edgeOffsets().set(1, 599, value);
        const ReadResult r = readFresh(io::nativeFileBytes(d));
        EXPECT_EQ(r.status, ReadResult::Status::Damaged) << value;
        EXPECT_EQ(r.problem, "an edge offset is out of range");
    }
    // A version "010" file computes waveformWidth = cellWidth x cellCount.
    model::Diagram d = test::fullDiagram(1);
    d.settings.cellWidth = 100000;
    d.settings.cellCount = 600;
    std::string bytes = io::nativeFileBytes(d);
    bytes.resize(bytes.size() - 11 * 4);
    bytes.replace(5, 3, "010");
    const ReadResult r = readFresh(bytes);
    EXPECT_EQ(r.status, ReadResult::Status::Damaged);
    EXPECT_EQ(r.problem, "a layout size is out of range");
}
