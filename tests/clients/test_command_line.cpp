// The real program's command line on dumps and WaveJSON, as a build script runs it: the time
// window with units, a window that is empty or runs past the dump, and what a WaveJSON export
// cannot carry, each said on standard error.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "CommandLineScratch.h"

namespace fs = std::filesystem;
using sigmora::test::slurp;

namespace {

const char* kDump = "$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 1 \" d $end\n"
                    "$upscope $end\n$enddefinitions $end\n"
                    "#0\n0!\n0\"\n#5\n1!\n#10\n0!\n1\"\n#15\n1!\n#20\n0!\n0\"\n#25\n1!\n#30\n0!\n";

struct CommandLine : sigmora::test::CommandLineScratch {
    CommandLine() : CommandLineScratch("sigmora-cli-") {}
    void SetUp() override
    {
        CommandLineScratch::SetUp();
        std::ofstream(dir / "tb.vcd") << kDump;
    }
};

} // namespace

TEST_F(CommandLine, TheWindowTakesTimesWithUnitsOrInTheDumpsUnit)
{
    const struct {
        const char* args;
    } same[] = {{"--from 10ns --to 25ns"}, {"--from 0.01us --to 25000ps"}, {"--from '10 ns' --to 25"}};
    std::string err;
    ASSERT_EQ(convert(dir / "tb.vcd", dir / "plain.sgm", "--from 10 --to 25", err), 0) << err;
    const std::string plain = slurp(dir / "plain.sgm");
    ASSERT_FALSE(plain.empty());
    for (const auto& c : same) {
        const fs::path out = dir / "units.sgm";
        fs::remove(out);
        EXPECT_EQ(convert(dir / "tb.vcd", out, c.args, err), 0) << c.args << ": " << err;
        EXPECT_EQ(slurp(out), plain) << c.args;
    }
}

TEST_F(CommandLine, AWindowThatIsEmptyOrNotATimeIsToldAndNothingIsWritten)
{
    const struct {
        const char* args;
        int status;
        const char* says;
    } cases[] = {
        {"--from 25 --to 10", 1, "the window is empty: --from 25 is not before --to 10"},
        {"--from 20ns --to 20ns", 1, "the window is empty"},
        {"--from fast", 2, "--from fast: "},
        {"--to 3ps", 1, "--to 3ps: "}, // not a whole number of the dump's nanoseconds
    };
    for (const auto& c : cases) {
        const fs::path out = dir / "out.sgm";
        std::string err;
        EXPECT_EQ(convert(dir / "tb.vcd", out, c.args, err), c.status) << c.args << ": " << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << c.args << ": " << err;
        EXPECT_FALSE(fs::exists(out)) << c.args;
    }
}

TEST_F(CommandLine, ADumpEndingBeforeTheWindowsEndIsImportedAndSaysWhere)
{
    std::string err;
    ASSERT_EQ(convert(dir / "tb.vcd", dir / "late.sgm", "--from 0 --to 1us", err), 0) << err;
    EXPECT_NE(err.find("The dump ends at time 30, before the end of the window at time 1000"), std::string::npos) << err;
    EXPECT_FALSE(slurp(dir / "late.sgm").empty());
}

// Without --clock the command line takes the one signal named like a clock from the header alone,
// and counts the changes of the whole dump when several are so named; a dump damaged after its
// header is still refused with the line, and nothing is written.
TEST_F(CommandLine, TheDefaultClockIsTheOneNamedSoElseTheBusiestOfThem)
{
    const std::string header = "$timescale 1ns $end\n$scope module tb $end\n";
    const std::string end = "$upscope $end\n$enddefinitions $end\n";
    const struct {
        const char* name;
        std::string dump;
        int status;
        const char* says; // the start of the CSV output, or of standard error
    } cases[] = {
        {"OneNamed", kDump, 0, "clk, "},
        {"TwoNamed",
         header + "$var wire 1 ! clk_slow $end\n$var wire 1 \" clk_fast $end\n$var wire 1 # d $end\n" + end +
             "#0\n0!\n0\"\n0#\n#5\n1\"\n#10\n0\"\n1#\n#15\n1\"\n1!\n#20\n0\"\n#25\n1\"\n#30\n0\"\n0!\n",
         0, "clk_fast, "},
        {"DamagedBody", header + "$var wire 1 ! clk $end\n" + end + "#0\n0!\n#5\n1!\n#x7\n", 1,
         "sigmora: This value change dump cannot be read: line 10: \"#x7\" is not a time."},
    };
    for (const auto& c : cases) {
        const fs::path in = dir / (std::string(c.name) + ".vcd"), out = dir / (std::string(c.name) + ".csv");
        std::ofstream(in) << c.dump;
        std::string err;
        EXPECT_EQ(convert(in, out, "", err), c.status) << c.name << ": " << err;
        const std::string said = c.status == 0 ? slurp(out) : err;
        EXPECT_EQ(said.rfind(c.says, 0), 0u) << c.name << ": " << said.substr(0, 80);
        EXPECT_EQ(fs::exists(out), c.status == 0) << c.name;
    }
}

// The program converts with its command line alone: a copy without the editor module beside it
// still converts, and a start that would open the window says what it misses instead of failing
// silently.
TEST_F(CommandLine, ConversionsNeedNoEditorModuleAndAWindowWithoutOneIsTold)
{
    fs::create_directories(dir / "bin");
    const fs::path lonely = dir / "bin" / "sigmora";
    fs::copy_file(SIGMORA_EXECUTABLE, lonely);
    const std::string run = "cd '" + dir.string() + "' && QT_QPA_PLATFORM=offscreen '" + lonely.string() + "'";
    ASSERT_EQ(std::system((run + " --convert tb.vcd tb.csv 2>err.txt").c_str()), 0) << slurp(dir / "err.txt");
    EXPECT_EQ(slurp(dir / "tb.csv").rfind("clk, ", 0), 0u);

    const int status = std::system((run + " 2>err.txt").c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string err = slurp(dir / "err.txt");
    EXPECT_EQ(err.rfind("sigmora: the editor cannot be loaded:\nsigmora-editor.so is neither in " +
                            (dir / "bin").string(), 0),
              0u)
        << err;
}

// The annotated example holds fills, colours and boxes among the rows that WaveJSON cannot hold:
// the export is written and says what it left out, one line each.
TEST_F(CommandLine, AWaveJsonExportSaysWhatItCannotCarry)
{
    std::string err;
    const fs::path out = dir / "annotated.json";
    ASSERT_EQ(convert(fs::path(SIGMORA_SOURCE_DIR) / "examples" / "annotated.sgm", out, "", err), 0) << err;
    EXPECT_NE(slurp(out).find("\"signal\""), std::string::npos);
    EXPECT_EQ(err.rfind("sigmora: ", 0), 0u) << err;
    EXPECT_NE(err.find('\n'), std::string::npos) << err;
}
