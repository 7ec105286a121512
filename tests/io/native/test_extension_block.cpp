#include <gtest/gtest.h>

#include <filesystem>

#include "io/base/FileAccess.h"
#include "io/native/ArchiveWriter.h"
#include "io/native/ExtensionBlock.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"

// The block after the diagram file's last item: written only when the diagram holds something of
// it, read back as far as it is understood, and never a reason to refuse the diagram.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

constexpr long long kNs = 1'000'000;
constexpr int kActualLength = -1;

model::Diagram example(const char* name)
{
    model::Diagram d;
    const io::FileBytes file = io::readWholeFile((fs::path(SIGMORA_SOURCE_DIR) / "examples" / name).string());
    EXPECT_EQ(io::readAnyVersion(file.bytes, d).status, io::ReadResult::Status::Ok) << name;
    return d;
}

// A block as a file may hold it: tag, version, the length it claims and the entry bytes.
std::string block(std::string_view tag, int version, int claimed, const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string body, out;
    io::ArchiveWriter e(body);
    for (const auto& [key, value] : entries) {
        e.writeString(key);
        e.writeString(value);
    }
    io::ArchiveWriter w(out);
    w.writeString(tag);
    w.writeInt(version);
    w.writeInt(claimed == kActualLength ? static_cast<int>(body.size()) : claimed);
    w.writeBytes(body);
    return out;
}

} // namespace

TEST(ExtensionBlock, ADiagramWithoutItIsWrittenAsBeforeAndOneWithItReadsBack)
{
    for (const auto& entry : fs::directory_iterator(fs::path(SIGMORA_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".sgm")
            continue;
        const io::FileBytes file = io::readWholeFile(entry.path().string());
        model::Diagram d;
        ASSERT_EQ(io::readNativeFile(file.bytes, d).status, io::ReadResult::Status::Ok);
        if (!d.extension.empty()) {
            // An example that shows the diagram's time keeps its block: written back as it stands.
            EXPECT_EQ(io::nativeFileBytes(d), file.bytes) << entry.path();
            continue;
        }
        const std::string plain = io::nativeFileBytes(d);
        EXPECT_EQ(plain, file.bytes) << entry.path() << ": byte for byte as the file was";

        d.extension.halfPeriodFs = 2'500'000; // 2.5 ns
        const std::string withBlock = io::nativeFileBytes(d);
        // The layout's items are untouched; the block follows them.
        ASSERT_EQ(withBlock.substr(0, plain.size()), plain);
        EXPECT_EQ(withBlock.substr(plain.size()), block("SGMX", 1, kActualLength, {{"timebase", "2500000"}}));
        model::Diagram back;
        const io::ReadResult r = io::readNativeFile(withBlock, back);
        ASSERT_EQ(r.status, io::ReadResult::Status::Ok);
        EXPECT_TRUE(r.notes.empty());
        EXPECT_EQ(back.extension.halfPeriodFs, 2'500'000);
        EXPECT_EQ(io::nativeFileBytes(back), withBlock);
        // A reader of the layout alone (an older build) stops before the block and reads the
        // same diagram.
        model::Diagram older;
        ASSERT_EQ(io::readNativeFile(withBlock.substr(0, plain.size()), older).status, io::ReadResult::Status::Ok);
        EXPECT_EQ(io::nativeFileBytes(older), plain);
    }
}

TEST(ExtensionBlock, ADamagedOrUnknownBlockIsToldAndSkippedAndTheDiagramOpens)
{
    const model::Diagram d = example("handshake.sgm");
    const std::string plain = io::nativeFileBytes(d);
    const std::string good = block("SGMX", 1, kActualLength, {{"timebase", "5000000"}});
    const struct {
        const char* what;
        std::string tail;
        std::optional<long long> timeBase; // what is kept
        const char* note;                  // part of the one note; nullptr: none
    } cases[] = {
        {"whole", good, 5 * kNs, nullptr},
        {"cut inside the entries", good.substr(0, good.size() - 3), std::nullopt, "cut short"},
        {"cut inside the head", good.substr(0, 6), std::nullopt, "bytes after the diagram"},
        {"bytes after it", good + "junk", 5 * kNs, "4 bytes after the diagram's extension block"},
        {"a newer version", block("SGMX", 7, kActualLength, {{"timebase", "5000000"}}), std::nullopt, "of version 7"},
        {"another tag", block("XYZ", 1, kActualLength, {}), std::nullopt, "which this Sigmora does not know"},
        {"an unknown key kept apart", block("SGMX", 1, kActualLength, {{"params", "x"}, {"timebase", "7000000"}}), 7 * kNs,
         "holds \"params\""},
        {"a time base of 0", block("SGMX", 1, kActualLength, {{"timebase", "0"}}), std::nullopt, "time base \"0\""},
        {"a time base above 1 s", block("SGMX", 1, kActualLength, {{"timebase", "1000000000000001"}}), std::nullopt,
         "is not one a diagram can have"},
        {"a time base that is no number", block("SGMX", 1, kActualLength, {{"timebase", "5ns"}}), std::nullopt, "time base \"5ns\""},
        {"a length past the end", block("SGMX", 1, 9999, {{"timebase", "5000000"}}), 5 * kNs, "cut short"},
        {"a negative length", block("SGMX", 1, -7, {{"timebase", "5000000"}}), 5 * kNs, "is damaged"},
    };
    for (const auto& c : cases) {
        model::Diagram back;
        const io::ReadResult r = io::readNativeFile(plain + c.tail, back);
        ASSERT_EQ(r.status, io::ReadResult::Status::Ok) << c.what << ": " << r.problem;
        EXPECT_EQ(back.extension.halfPeriodFs, c.timeBase) << c.what;
        if (c.note) {
            ASSERT_EQ(r.notes.size(), 1u) << c.what << ": " << testing::PrintToString(r.notes);
            EXPECT_NE(r.notes[0].find(c.note), std::string::npos) << c.what << ": " << r.notes[0];
        } else {
            EXPECT_TRUE(r.notes.empty()) << c.what << ": " << testing::PrintToString(r.notes);
        }
        // The rest of the diagram is all there; saving writes the block as far as it was read.
        model::Diagram plainBack = back;
        plainBack.extension = {};
        EXPECT_EQ(io::nativeFileBytes(plainBack), plain) << c.what;
        const std::string saved = io::nativeFileBytes(back);
        EXPECT_EQ(saved.size() > plain.size(), c.timeBase.has_value()) << c.what;
    }
}

TEST(ExtensionBlock, TheUndoSnapshotCarriesIt)
{
    model::Diagram d = example("spi.sgm");
    const std::string before = io::nativeFileBytes(d);
    d.extension.halfPeriodFs = 10 * kNs;
    const std::string after = io::nativeFileBytes(d);
    model::Diagram restored = d;
    ASSERT_TRUE(io::restoreSnapshot(before, restored));
    EXPECT_TRUE(restored.extension.empty()); // undone: the time base goes with the step
    ASSERT_TRUE(io::restoreSnapshot(after, restored));
    EXPECT_EQ(restored.extension.halfPeriodFs, 10 * kNs); // redone
    model::Diagram fresh;
    fresh.extension.halfPeriodFs = 1;
    fresh.resetForNew();
    EXPECT_TRUE(fresh.extension.empty()); // New starts without one
}

// The dump a diagram was imported from travels in the same block, beside the time base.
TEST(ExtensionBlock, TheDumpSourceReadsBackAndADamagedOneIsLeftOut)
{
    const model::Diagram d = example("handshake.sgm");
    const std::string plain = io::nativeFileBytes(d);

    model::Diagram withDump = d;
    model::DumpSource& dump = withDump.extension.dump;
    dump.path = "/sim/run 2/top.vcd";
    dump.clock = "top.clk";
    dump.signals = {"top.clk", "top.dut.data[7:0]", "top.valid"};
    dump.rows = {"clk", "dut.data[7:0]", "valid"};
    dump.from = 100;
    dump.to = 2000;
    withDump.extension.halfPeriodFs = 5 * kNs;
    const std::string saved = io::nativeFileBytes(withDump);
    EXPECT_EQ(saved.substr(plain.size()),
              block("SGMX", 1, kActualLength,
                    {{"timebase", "5000000"},
                     {"dump.path", "/sim/run 2/top.vcd"},
                     {"dump.clock", "top.clk"},
                     {"dump.signals", "top.clk\ntop.dut.data[7:0]\ntop.valid"},
                     {"dump.rows", "clk\ndut.data[7:0]\nvalid"},
                     {"dump.from", "100"},
                     {"dump.to", "2000"}}));
    model::Diagram back;
    io::ReadResult r = io::readNativeFile(saved, back);
    ASSERT_EQ(r.status, io::ReadResult::Status::Ok);
    EXPECT_TRUE(r.notes.empty()) << testing::PrintToString(r.notes);
    EXPECT_EQ(back.extension, withDump.extension);

    using Entries = std::vector<std::pair<std::string, std::string>>;
    const struct {
        const char* what;
        Entries entries;
        bool kept;         // a dump source is read
        const char* note;  // part of the one note; nullptr: none
    } cases[] = {
        {"fixed cells, no clock", {{"dump.path", "a.fst"}, {"dump.signals", "s"}, {"dump.rows", "s"}, {"dump.cell", "5"}}, true, nullptr},
        {"no path", {{"dump.signals", "s"}, {"dump.rows", "s"}}, false, "incomplete"},
        {"names and rows differ in number", {{"dump.path", "a.vcd"}, {"dump.signals", "a\nb"}, {"dump.rows", "a"}}, false, "incomplete"},
        {"a window start that is no time", {{"dump.path", "a.vcd"}, {"dump.signals", "s"}, {"dump.rows", "s"}, {"dump.from", "-5"}}, true, "\"-5\""},
        {"a cell time of 0", {{"dump.path", "a.vcd"}, {"dump.signals", "s"}, {"dump.rows", "s"}, {"dump.cell", "0"}}, true, "dump.cell"},
    };
    for (const auto& c : cases) {
        model::Diagram read;
        r = io::readNativeFile(plain + block("SGMX", 1, kActualLength, c.entries), read);
        ASSERT_EQ(r.status, io::ReadResult::Status::Ok) << c.what;
        EXPECT_EQ(!read.extension.dump.empty(), c.kept) << c.what;
        if (c.note) {
            ASSERT_EQ(r.notes.size(), 1u) << c.what << ": " << testing::PrintToString(r.notes);
            EXPECT_NE(r.notes[0].find(c.note), std::string::npos) << c.what << ": " << r.notes[0];
        } else {
            EXPECT_TRUE(r.notes.empty()) << c.what << ": " << testing::PrintToString(r.notes);
        }
    }
}
