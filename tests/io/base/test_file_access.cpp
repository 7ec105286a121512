#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "io/base/FileAccess.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

struct FileAccessFixture : ::testing::Test {
    fs::path dir;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-access-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string path(const char* name) const { return (dir / name).string(); }
    std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {})); }
};

std::string readBack(const std::string& path)
{
    return io::readWholeFile(path).bytes;
}

} // namespace

TEST_F(FileAccessFixture, ReplacesTheFileAndLeavesNoTemporaryFile)
{
    const std::string file = path("a.sgm");
    ASSERT_EQ(io::writeFileReplacing(file, "first"), io::WriteError::None);
    ASSERT_EQ(io::writeFileReplacing(file, std::string("sec\0nd", 6)), io::WriteError::None);
    EXPECT_EQ(readBack(file), std::string("sec\0nd", 6));
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileAccessFixture, ALinkKeepsPointingAtTheReplacedFile)
{
    const std::string file = path("real.sgm");
    const std::string link = path("link.sgm");
    ASSERT_EQ(io::writeFileReplacing(file, "old"), io::WriteError::None);
    fs::create_symlink(file, link);
    ASSERT_EQ(io::writeFileReplacing(link, "new"), io::WriteError::None);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBack(file), "new");
}

TEST_F(FileAccessFixture, FailuresLeaveWhatWasThere)
{
    fs::create_directory(path("folder.sgm"));
    EXPECT_EQ(io::writeFileReplacing(path("folder.sgm"), "x"), io::WriteError::Failed);
    EXPECT_EQ(io::writeFileReplacing(path("no/such/folder.sgm"), "x"), io::WriteError::Failed);
    EXPECT_EQ(io::writeFileReplacing("", "x"), io::WriteError::Failed);
    EXPECT_TRUE(fs::is_directory(path("folder.sgm")));
    EXPECT_EQ(entries(), 1u);
}

// Each failure keeps the system's reason, which the messages show after the path.
TEST_F(FileAccessFixture, FailuresCarryTheSystemsReason)
{
    fs::create_directory(path("folder.sgm"));
    struct Case {
        const char* what;
        int systemError;
        int expected;
    };
    const Case cases[] = {
        {"write over a folder", io::writeFileReplacing(path("folder.sgm"), "x").systemError, EISDIR},
        {"write into a missing folder", io::writeFileReplacing(path("no/a.sgm"), "x").systemError, ENOENT},
        {"read a missing file", io::readWholeFile(path("absent")).systemError, ENOENT},
        {"read a folder", io::readWholeFile(path("folder.sgm")).systemError, EISDIR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.systemError, c.expected) << c.what;
    int copyError = 0;
    EXPECT_FALSE(io::copyFile(path("absent"), path("copy.sgm"), &copyError));
    EXPECT_EQ(copyError, ENOENT);

    const std::pair<int, const char*> texts[] = {
        {EACCES, "/home/u/a.sgm: Permission denied"},
        {ENOSPC, "/home/u/a.sgm: No space left on device"},
        {0, "/home/u/a.sgm"},
    };
    for (const auto& [error, text] : texts)
        EXPECT_EQ(io::fileProblem("/home/u/a.sgm", error), text);
}

TEST_F(FileAccessFixture, ReadingRefusesFoldersMissingFilesAndOversizedFiles)
{
    const std::string file = path("big.sgm");
    ASSERT_EQ(io::writeFileReplacing(file, std::string(100, 'x')), io::WriteError::None);
    EXPECT_EQ(io::readWholeFile(file, 99).error, io::ReadError::TooLarge);
    EXPECT_TRUE(io::readWholeFile(file, 99).bytes.empty());
    EXPECT_EQ(io::readWholeFile(file, 100).bytes.size(), 100u);
    EXPECT_EQ(io::readWholeFile(dir.string()).error, io::ReadError::CannotOpen);
    EXPECT_EQ(io::readWholeFile(path("absent")).error, io::ReadError::CannotOpen);
    EXPECT_TRUE(io::copyFile(file, path("copy.sgm")));
    EXPECT_EQ(readBack(path("copy.sgm")), std::string(100, 'x'));
    EXPECT_FALSE(io::copyFile(path("absent"), path("copy2.sgm")));
}

// An interrupted save leaves its hidden temporary file; the next save of the same file removes it
// and leaves alone what only looks alike.
TEST_F(FileAccessFixture, StaleHiddenTemporariesOfTheTargetGoAtItsNextSave)
{
    struct Entry {
        const char* name;
        bool stale;
        bool kept;
    };
    const Entry entries[] = {
        {".out.sgm.Ab12Cd", true, false},   // left by an interrupted save
        {".out.sgm.Zz99zz", false, true},   // a save of a moment ago may still be running
        {".out.sgm.Ab12C", true, true},     // five characters: not ours
        {".out.sgm.Ab-2Cd", true, true},    // not a letter or digit
        {".other.sgm.Ab12Cd", true, true},  // another file's
        {"out.sgm.backup", true, true},     // a visible name is never ours
    };
    for (const Entry& e : entries) {
        std::ofstream(path(e.name)) << "x";
        if (e.stale)
            fs::last_write_time(path(e.name), fs::file_time_type::clock::now() - std::chrono::hours(1));
    }
    ASSERT_EQ(io::writeFileReplacing(path("out.sgm"), "diagram"), io::WriteError::None);
    for (const Entry& e : entries)
        EXPECT_EQ(fs::exists(path(e.name)), e.kept) << e.name;
    EXPECT_EQ(readBack(path("out.sgm")), "diagram");
}

// A file made piece by piece holds the pieces in order and replaces what was there only when
// every piece was written; a file that cannot be made asks for no pieces.
TEST_F(FileAccessFixture, AFileMadePieceByPieceHoldsThePiecesInOrder)
{
    const std::string file = path("doc.svg");
    ASSERT_EQ(io::writeFileReplacing(file, "old"), io::WriteError::None);
    const std::vector<std::string> pieces{"<svg>", std::string(3 << 20, 'x'), "", "</svg>\n"};
    ASSERT_EQ(io::writeFileReplacing(file,
                                     [&](const io::ByteSink& sink) {
                                         for (const std::string& piece : pieces)
                                             EXPECT_TRUE(sink(piece));
                                     }),
              io::WriteError::None);
    EXPECT_EQ(readBack(file), pieces[0] + pieces[1] + pieces[2] + pieces[3]);
    EXPECT_EQ(entries(), 1u);

    int calls = 0;
    const io::WriteResult failed =
        io::writeFileReplacing(path("missing/doc.svg"), [&](const io::ByteSink&) { ++calls; });
    EXPECT_EQ(failed, io::WriteError::Failed);
    EXPECT_EQ(failed.systemError, ENOENT);
    EXPECT_EQ(calls, 0) << "nothing is produced for a file that cannot be made";
    EXPECT_EQ(readBack(file), pieces[0] + pieces[1] + pieces[2] + pieces[3]);
}
