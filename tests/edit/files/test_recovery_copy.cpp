#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/files/RecoveryCopy.h"
#include "io/native/NativeFileWriter.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct RecoveryFixture : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("sigmora-recovery-" + std::to_string(getpid()));
    test::FakeUiPort ui;
    test::FixedMeasurer measurer;
    edit::Editor editor{ui, measurer};
    edit::RecoveryCopy copy{folder.string()};
    edit::RecoveryCopy::Clock::time_point t0{};

    void SetUp() override { fs::remove_all(folder); }
    void TearDown() override { fs::remove_all(folder); }
    std::string copied() { return readFile(copy.diagramPath()); }
    std::string current() { return io::nativeFileBytes(editor.diagram()); }
};

} // namespace

// The copy follows the unsaved changes: at once on the first snapshot, then at most once a
// minute, by the interval or by a snapshot that finds the copy a minute old.
TEST_F(RecoveryFixture, WrittenAtMostOnceAMinute)
{
    copy.snapshotTaken(editor, t0);
    EXPECT_FALSE(fs::exists(copy.diagramPath())) << "nothing unsaved, nothing kept";

    editor.addRow(model::NewRowKind::Clock);
    copy.snapshotTaken(editor, t0);
    EXPECT_EQ(copied(), current());
    const std::string first = current();

    editor.addRow(model::NewRowKind::Signal);
    copy.diagramChanged(editor);
    copy.snapshotTaken(editor, t0 + 30s);
    EXPECT_EQ(copied(), first) << "a snapshot within the minute waits for the interval";
    copy.intervalElapsed(editor, t0 + 60s);
    EXPECT_EQ(copied(), current());

    const std::string second = current();
    editor.addRow(model::NewRowKind::Bus);
    copy.snapshotTaken(editor, t0 + 100s);
    EXPECT_EQ(copied(), second);
    copy.snapshotTaken(editor, t0 + 120s);
    EXPECT_EQ(copied(), current());
    EXPECT_EQ(readFile(copy.namePath()), "");
}

TEST_F(RecoveryFixture, RemovedWhenNothingIsUnsaved)
{
    editor.addRow(model::NewRowKind::Clock);
    copy.snapshotTaken(editor, t0);
    ASSERT_TRUE(copy.left());
    editor.diagram().modified = false; // as a save leaves it
    copy.diagramChanged(editor);
    EXPECT_FALSE(copy.left());
    EXPECT_FALSE(fs::exists(copy.diagramPath()) || fs::exists(copy.namePath()));
}

// A copy is offered with the name of its file and opens as that file's unsaved diagram.
TEST_F(RecoveryFixture, LeftCopyOpensUnsavedWithItsName)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Bus);
    editor.setFilePath("/home/ann/spi.sgm");
    copy.snapshotTaken(editor, t0);
    const std::string saved = current();

    test::FakeUiPort otherUi;
    edit::Editor next(otherUi, measurer);
    const auto left = edit::RecoveryCopy(folder.string()).left();
    ASSERT_TRUE(left);
    EXPECT_EQ(edit::recoveryQuestion(*left),
              "Sigmora closed without saving \"/home/ann/spi.sgm\". Recover the unsaved changes?");
    ASSERT_TRUE(edit::openRecovered(next, *left));
    EXPECT_EQ(io::nativeFileBytes(next.diagram()), saved);
    EXPECT_TRUE(next.diagram().modified);
    EXPECT_EQ(next.title(), "/home/ann/spi.sgm - Sigmora 3.3.5");

    EXPECT_EQ(edit::recoveryQuestion({"", saved, ""}),
              "Sigmora closed without saving \"Untitled\". Recover the unsaved changes?");
}

TEST_F(RecoveryFixture, DamagedOrHalfCopiesAreNotOpened)
{
    fs::create_directories(folder);
    std::ofstream(copy.diagramPath()) << "not a diagram";
    EXPECT_FALSE(copy.left()) << "without its name file the copy is not complete";
    std::ofstream(copy.namePath()) << "/tmp/x.sgm";
    const auto left = copy.left();
    ASSERT_TRUE(left);
    editor.addRow(model::NewRowKind::Clock);
    EXPECT_FALSE(edit::openRecovered(editor, *left));
    EXPECT_EQ(editor.diagram().store.signalCount(), 0);
    EXPECT_FALSE(editor.diagram().modified);
}
