#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "io/dump/VcdReader.h"
#include "io/exchange/ImportFiles.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "support/FixedMeasurer.h"

// An import from a dump remembers the dump and how it was read, so that a refresh can read it again
// the same way.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

const char* kDump = "$timescale 1 ns $end\n$scope module tb $end\n"
                    "$var wire 1 ! clk $end\n$var wire 1 \" d $end\n$var reg 4 # cnt [3:0] $end\n"
                    "$scope module sub $end\n$var wire 1 % busy $end\n$upscope $end\n"
                    "$upscope $end\n$enddefinitions $end\n"
                    "#0\n$dumpvars\n0!\n0\"\nb0 #\n0%\n$end\n#5\n1!\n#10\n0!\n1\"\n#15\n1!\n#20\n0!\n#25\n1!\n#30\n0!\n";

struct SourceCase {
    const char* what;
    io::VcdChoice choice;
    model::DumpSource expected; // without the path
};

void PrintTo(const SourceCase& c, std::ostream* os) { *os << c.what; }

class DumpSourceRecorded : public testing::TestWithParam<SourceCase> {};

TEST_P(DumpSourceRecorded, ByTheImport)
{
    const SourceCase& c = GetParam();
    std::istringstream in(kDump);
    test::FixedMeasurer measurer;
    model::Diagram d;
    const io::ImportResult r = io::readVcd(in, c.choice, d, measurer);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(d.extension.dump, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, DumpSourceRecorded,
    testing::Values(
        SourceCase{"every signal, default clock", {},
                   {"", "tb.clk", {"tb.clk", "tb.d", "tb.cnt[3:0]", "tb.sub.busy"}, {"clk", "d", "cnt[3:0]", "sub.busy"}, {}, {}, {}}},
        SourceCase{"signals by short name, a window", {"clk", {"busy", "cnt"}, 4, 26},
                   {"", "tb.clk", {"tb.clk", "tb.sub.busy", "tb.cnt[3:0]"}, {"clk", "sub.busy", "cnt[3:0]"}, 4, 26, {}}},
        SourceCase{"fixed cells", {"", {"d"}, {}, {}, 5},
                   {"", "", {"tb.d"}, {"d"}, {}, {}, 5}}),
    [](const testing::TestParamInfo<SourceCase>& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

// Through a file: the whole path is kept, and the diagram saved and opened again still has it.
TEST(DumpSource, TheFileImportKeepsTheWholePathThroughSaveAndOpen)
{
    const fs::path folder = fs::temp_directory_path() / ("sigmora-dump-source-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path dump = folder / "run.vcd";
    std::ofstream(dump) << kDump;
    const fs::path cwd = fs::current_path();
    fs::current_path(folder);
    test::FixedMeasurer measurer;
    model::Diagram d;
    const io::ImportResult r = io::importVcdFile("run.vcd", {}, d, measurer);
    fs::current_path(cwd);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(d.extension.dump.path, dump.string());
    model::Diagram back;
    ASSERT_EQ(io::readNativeFile(io::nativeFileBytes(d), back).status, io::ReadResult::Status::Ok);
    EXPECT_EQ(back.extension.dump, d.extension.dump);
    fs::remove_all(folder);
}

} // namespace
