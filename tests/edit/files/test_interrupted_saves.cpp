#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/files/FileCommands.h"
#include "io/native/NativeFileWriter.h"
#include "model/RowFactory.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"
#include "support/LargestDiagram.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

constexpr int kTrials = 100;
constexpr unsigned kSeed = 20261207;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The names in the folder that a file manager shows (no leading dot).
std::vector<std::string> visibleNames(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.front() != '.')
            names.push_back(name);
    }
    return names;
}

int hiddenCount(const fs::path& folder)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().front() == '.';
    return count;
}

// Saves the editor's diagram in a child process and kills it after the delay; true when the
// child was still running when the kill came.
bool saveAndKill(edit::Editor& editor, std::chrono::microseconds delay)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(edit::saveDiagram(editor) ? 0 : 1);
    std::this_thread::sleep_for(delay);
    const bool killed = kill(child, SIGKILL) == 0;
    int status = 0;
    waitpid(child, &status, 0);
    return killed && WIFSIGNALED(status);
}

} // namespace

// A save killed at any instant leaves the target either as it was or complete with the new
// diagram, and nothing a user would take for a diagram beside it; the next save clears the rest.
TEST(InterruptedSaves, KillAtRandomInstantsLeavesOldOrNewFile)
{
    const fs::path folder = fs::temp_directory_path() / ("sigmora-kill-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path target = folder / "largest.sgm";

    model::Diagram small;
    small.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "Clock", 1));
    const std::string oldBytes = io::nativeFileBytes(small);

    test::FakeUiPort ui;
    test::FixedMeasurer measurer;
    edit::Editor editor(ui, measurer);
    editor.diagram() = test::largestDiagram();
    editor.setFilePath(target.string());
    const std::string newBytes = io::nativeFileBytes(editor.diagram());
    ASSERT_NE(oldBytes, newBytes);

    // How long one whole save takes here, so that the kills spread over it.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(edit::saveDiagram(editor));
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
    ASSERT_EQ(readFile(target), newBytes);

    std::mt19937 random(kSeed);
    std::uniform_int_distribution<long> instant(0, std::max<long>(saveTime.count() * 3 / 2, 1000));
    int interrupted = 0;
    int completed = 0;
    for (int trial = 0; trial < kTrials; ++trial) {
        writeFile(target, oldBytes);
        const int temporariesBefore = hiddenCount(folder);
        const auto delay = std::chrono::microseconds(instant(random));
        saveAndKill(editor, delay);
        const std::string after = readFile(target);
        ASSERT_TRUE(after == oldBytes || after == newBytes)
            << "seed " << kSeed << ", trial " << trial << ", kill after " << delay.count() << " us: "
            << after.size() << " bytes";
        ASSERT_EQ(visibleNames(folder), std::vector<std::string>{"largest.sgm"}) << "trial " << trial;
        completed += after == newBytes;
        interrupted += hiddenCount(folder) > temporariesBefore ? 1 : 0;
    }
    // The kills must have come while saves were writing, or the test proves nothing.
    EXPECT_GT(interrupted, 0) << "no kill came during a save (" << completed << " completed)";

    // Left a while (as after a crash), they are cleared by the next save of the same file.
    for (const auto& entry : fs::directory_iterator(folder))
        fs::last_write_time(entry.path(), fs::last_write_time(entry.path()) - std::chrono::minutes(5));
    ASSERT_TRUE(edit::saveDiagram(editor));
    EXPECT_EQ(readFile(target), newBytes);
    EXPECT_EQ(hiddenCount(folder), 0) << "the next save removes what interrupted saves left";
    fs::remove_all(folder);
    std::cout << "save " << saveTime.count() << " us; " << completed << " of " << kTrials
              << " killed saves had finished; " << interrupted << " were killed while writing\n";
}
