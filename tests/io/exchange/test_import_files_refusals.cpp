// The imports that read a file themselves (dumps, WaveJSON) are handed a named pipe, a device or a
// dangling link: each ends at once with the reason, and never opens a pipe, which would wait for a
// writer and hold the window up.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "io/base/FileAccess.h"
#include "io/exchange/ImportFiles.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

struct ImportRefusals : ::testing::Test {
    fs::path dir;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-import-refusals-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
};

} // namespace

TEST_F(ImportRefusals, PipesDevicesAndDanglingLinksEndAtOnceWithTheReason)
{
    ASSERT_EQ(::mkfifo((dir / "pipe.vcd").c_str(), 0644), 0);
    fs::create_symlink(dir / "gone.vcd", dir / "dangling.vcd");
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {(dir / "pipe.vcd").string(), "Is a named pipe, not a regular file"},
        {"/dev/zero", "Is a device, not a regular file"},
        {(dir / "dangling.vcd").string(), "Is a link to a file that does not exist"},
    };
    const test::FixedMeasurer measurer;
    // A reader that opens the pipe waits for ever: the alarm ends the test instead.
    constexpr unsigned kPatienceSeconds = 30;
    ::alarm(kPatienceSeconds);
    for (const auto& c : cases) {
        const std::string said = c.path + ": " + c.reason;
        const io::VcdSurvey survey = io::surveyVcdFile(c.path);
        EXPECT_FALSE(survey.ok) << c.path;
        EXPECT_NE(survey.error.find(said), std::string::npos) << survey.error;
        EXPECT_NE(io::readVcdHeaderFile(c.path).error.find(said), std::string::npos) << c.path;
        model::Diagram diagram;
        const io::ImportResult dump = io::importVcdFile(c.path, io::VcdChoice{}, diagram, measurer);
        EXPECT_FALSE(dump.ok) << c.path;
        EXPECT_NE(dump.error.find(said), std::string::npos) << dump.error;
        const io::ImportResult json = io::importWaveJsonFile(c.path, diagram, measurer);
        EXPECT_FALSE(json.ok) << c.path;
        EXPECT_NE(json.error.find(said), std::string::npos) << json.error;
    }
    ::alarm(0);
}
