#include <gtest/gtest.h>

#include <cstring>

#include "io/native/NativeFileFixtures.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/RowFactory.h"

using namespace sigmora;
using io::ReadResult;
using test::archived;
using test::le32;

namespace {

model::Diagram threeRowsOneTextBox()
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "Default Signal", 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Bus, "Default Bus", 1));
    d.store.list(model::ListId::Texts).append(test::kTextBox);
    d.store.floodStyles().set(1, 2, 3);
    d.store.edgeOffsets().set(2, 599, -7);
    return d;
}

// Reads a file into a fresh diagram.
ReadResult readInto(std::string_view bytes, model::Diagram& d)
{
    d = model::Diagram{};
    return io::readNativeFile(bytes, d);
}

} // namespace

TEST(NativeFileLayout, ThreeRowsAndOneTextBoxItemByItem)
{
    const model::Diagram d = threeRowsOneTextBox();
    const std::string bytes = io::nativeFileBytes(d);

    std::string expected = archived("SGM") + archived("012");
    expected += le32(30) + le32(20) + le32(16) + le32(0);
    expected += le32(3);
    for (const std::string& row : d.store.signals().records())
        expected += archived(row);
    expected += le32(1) + archived(test::kTextBox);
    expected += le32(0) + le32(0) + le32(0) + le32(0); // legacy regions, arrows, labels, time breaks
    for (int v : {100, 5, 15, 1, 2, 1, 1, 0, 0}) // name column ... period line mode
        expected += le32(static_cast<std::uint32_t>(v));
    expected += archived("") + archived(""); // suffix, prefix
    expected += le32(1) + le32(1);           // label start, increment
    for (const model::CellGrid* grid : {&d.store.floodStyles(), &d.store.edgeOffsets()})
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 600; ++c)
                expected += le32(static_cast<std::uint32_t>(grid->get(r, c)));
    for (int v : {1, 12, 0, 0, 0, 0, 0})
        expected += le32(static_cast<std::uint32_t>(v));
    expected += std::string("\x00\x00\x80\x3f", 4); // SVG scale 1.0
    for (int v : {1, 1, 1, 600, 20})
        expected += le32(static_cast<std::uint32_t>(v));

    ASSERT_EQ(bytes.size(), expected.size());
    EXPECT_TRUE(bytes == expected);
    // The grids hold exactly 2 x 3 x 600 integers: the flood style set above sits where row 1,
    // cell 2 belongs.
    const std::size_t floodAt = expected.size() - 13 * 4 - 2 * 3 * 600 * 4;
    EXPECT_EQ(bytes.substr(floodAt + (600 + 2) * 4, 4), le32(3));
}

struct PrefixCase {
    std::size_t length;
    std::string prefix;
};

void PrintTo(const PrefixCase& c, std::ostream* os)
{
    *os << "length " << c.length;
}

class StringPrefix : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(StringPrefix, TakesTheArchiveForm)
{
    model::Diagram d;
    const std::string record(GetParam().length, 'x');
    d.store.signals().append(record);
    const std::string bytes = io::nativeFileBytes(d);
    const std::size_t at = 4 + 4 + 4 * 4 + 4; // tag, version, four integers, count
    EXPECT_EQ(bytes.substr(at, GetParam().prefix.size()), GetParam().prefix);
    EXPECT_EQ(bytes.substr(at + GetParam().prefix.size(), 3), "xxx");

    model::Diagram back;
    ASSERT_EQ(readInto(bytes, back).status, ReadResult::Status::Ok);
    EXPECT_EQ(back.store.signals().get(0), record);
}

INSTANTIATE_TEST_SUITE_P(
    NativeFileLayout, StringPrefix,
    ::testing::Values(PrefixCase{3, "\x03"}, PrefixCase{254, "\xfe"}, PrefixCase{255, std::string("\xff\xff\x00", 3)},
                      PrefixCase{700, std::string("\xff\xbc\x02", 3)}, PrefixCase{65533, "\xff\xfd\xff"},
                      PrefixCase{65534, std::string("\xff\xff\xff\xfe\xff\x00\x00", 7)},
                      PrefixCase{70000, std::string("\xff\xff\xff\x70\x11\x01\x00", 7)}),
    [](const ::testing::TestParamInfo<PrefixCase>& info) { return "Length" + std::to_string(info.param.length); });

TEST(NativeFileLayout, SignalRecordOf700BytesTakesPrefix255_188_2)
{
    model::Diagram d;
    std::string record = model::buildRowRecord(model::NewRowKind::Signal, "Default Signal", 1);
    record.resize(700, '.');
    d.store.signals().append(record);
    const std::string bytes = io::nativeFileBytes(d);
    EXPECT_EQ(static_cast<unsigned char>(bytes[28]), 255);
    EXPECT_EQ(static_cast<unsigned char>(bytes[29]), 188);
    EXPECT_EQ(static_cast<unsigned char>(bytes[30]), 2);
}

TEST(NativeFileRoundTrip, SaveOpenSaveGivesIdenticalBytesAndEveryItem)
{
    const model::Diagram d = test::fullDiagram(256);
    const std::string first = io::nativeFileBytes(d);
    model::Diagram back;
    ASSERT_EQ(readInto(first, back).status, ReadResult::Status::Ok);
    EXPECT_TRUE(io::nativeFileBytes(back) == first);

    for (model::ListId id : {model::ListId::Signals, model::ListId::Texts, model::ListId::Arrows,
                             model::ListId::LegacyRegions, model::ListId::Labels, model::ListId::TimeBreaks})
        EXPECT_EQ(back.store.list(id).records(), d.store.list(id).records()) << static_cast<int>(id);
    EXPECT_EQ(back.store.list(model::ListId::CopyBuffer).count(), 0);
    EXPECT_EQ(back.store.floodStyles().get(255, (255 * 7) % 600), 256);
    EXPECT_EQ(back.store.edgeOffsets().get(200, 599), -205);
    const auto& s = back.settings;
    EXPECT_EQ(s.cellWidth, 40);
    EXPECT_EQ(s.labelSuffix, "ns");
    EXPECT_EQ(s.labelPrefix, "T");
    EXPECT_EQ(s.svgScale, 1.5f);
    EXPECT_EQ(s.topMargin, 24);
    EXPECT_EQ(s.waveformWidth, 1200);
    EXPECT_EQ(s.skipOffset, 2);
    EXPECT_EQ(s.periodLineMode, 6);
    EXPECT_EQ(s.signalSpacing, 14);
}

TEST(NativeFileRoundTrip, SpareValueIsReadBackAndWrittenAgain)
{
    model::Diagram d = test::fullDiagram();
    d.settings.spareStoredValue = 77;
    const std::string bytes = io::nativeFileBytes(d);
    model::Diagram back;
    ASSERT_EQ(readInto(bytes, back).status, ReadResult::Status::Ok);
    EXPECT_EQ(back.settings.spareStoredValue, 77);
    EXPECT_TRUE(io::nativeFileBytes(back) == bytes);

    // New starts the next diagram from 0: the file's value does not travel on.
    back.resetForNew();
    back.store.signals().append(d.store.signals().get(0));
    EXPECT_EQ(back.settings.spareStoredValue, 0);
    model::Diagram next;
    ASSERT_EQ(readInto(io::nativeFileBytes(back), next).status, ReadResult::Status::Ok);
    EXPECT_EQ(next.settings.spareStoredValue, 0);
}

TEST(NativeFileVersions, Version010TakesTheValuesOfTheItemsItLacks)
{
    model::Diagram d = test::fullDiagram();
    std::string bytes = io::nativeFileBytes(d);
    bytes.resize(bytes.size() - 11 * 4); // version "010" ends after item 29
    bytes.replace(5, 3, "010");

    model::Diagram back;
    back.settings.topMargin = 55;
    back.settings.svgScale = 3.0f;
    const ReadResult r = io::readNativeFile(bytes, back);
    ASSERT_EQ(r.status, ReadResult::Status::Ok) << r.problem;
    const auto& s = back.settings;
    EXPECT_EQ(s.topMargin, 20);
    EXPECT_EQ(s.svgScale, 1.0f);
    EXPECT_EQ(s.nameJustification, 0);
    EXPECT_EQ(s.moduloCount, 0);
    EXPECT_EQ(s.moduloOffset, 0);
    EXPECT_EQ(s.repeatModuloCount, 0);
    EXPECT_EQ(s.periodLinesSolid, 0);
    EXPECT_EQ(s.periodDivider, 1);
    EXPECT_EQ(s.periodLinesPerLabel, 1);
    EXPECT_EQ(s.skipOffset, 1);
    EXPECT_EQ(s.waveformWidth, 40 * 30);
    // Items up to 29 are read as stored.
    EXPECT_EQ(s.signalSpacing, 14);
    EXPECT_EQ(s.eachClockOwnPeriod, 0);
    EXPECT_EQ(back.store.edgeOffsets().get(3, 1), 8);
}

TEST(NativeFileVersions, TagAndVersionDecideHowTheRestIsRead)
{
    const std::string body = io::nativeFileBytes(test::fullDiagram()).substr(8);
    struct Case {
        std::string tag, version;
        ReadResult::Status status;
    };
    const Case cases[] = {
        {"SGM", "012", ReadResult::Status::Ok},
        {"xSGMx", "v012", ReadResult::Status::Ok}, // both are found inside longer strings
        {"SGX", "012", ReadResult::Status::NotSigmora},
        {"", "012", ReadResult::Status::NotSigmora},
        {"SGM", "011", ReadResult::Status::PreviousVersion},
        {"SGM", "009", ReadResult::Status::PreviousVersion},
        {"SGM", "005", ReadResult::Status::PreviousVersion},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        const ReadResult r = readInto(archived(c.tag) + archived(c.version) + body, d);
        EXPECT_EQ(r.status, c.status) << c.tag << " " << c.version;
        if (c.status != ReadResult::Status::Ok) {
            EXPECT_EQ(d.store.signalCount(), 0) << c.tag << " " << c.version;
        }
    }
}

TEST(NativeFileSnapshot, RestoreKeepsTheCopyBufferAndClearsGridRowsBelowTheLastSignal)
{
    model::Diagram d = test::fullDiagram(2);
    const std::string snapshot = io::nativeFileBytes(d);
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "Later", 1));
    d.store.floodStyles().set(2, 10, 9);
    d.store.list(model::ListId::CopyBuffer).append("partialcopy.kept");
    d.settings.cellWidth = 12;

    ASSERT_TRUE(io::restoreSnapshot(snapshot, d));
    EXPECT_EQ(d.store.signalCount(), 2);
    EXPECT_EQ(d.store.list(model::ListId::Texts).count(), 1);
    EXPECT_EQ(d.store.floodStyles().get(2, 10), 0);
    EXPECT_EQ(d.settings.cellWidth, 40);
    EXPECT_EQ(d.store.list(model::ListId::CopyBuffer).records(),
              (std::vector<std::string>{"sig.not stored", "partialcopy.kept"}));
    EXPECT_TRUE(io::nativeFileBytes(d) == snapshot);
}
