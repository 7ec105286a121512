#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
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
    void TearDown() override
    {
        ::alarm(0);
        fs::remove_all(dir);
    }
    // A read that opens a pipe waits for ever: the alarm ends the test instead.
    static void failIfStuck() { ::alarm(kPatienceSeconds); }
    static constexpr unsigned kPatienceSeconds = 30;
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
// when its process has ended and it is older than a minute, and leaves alone every other file,
// whatever it looks like: a user's hidden backup is not a temporary file of this program.
TEST_F(FileAccessFixture, OnlyStaleTemporariesOfThisProgramGoAtTheNextSave)
{
    // A process id that runs no process: a child that has ended and been waited for.
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ASSERT_GT(ended, 0);
    ::waitpid(ended, nullptr, 0);
    const std::string gone = std::to_string(ended);
    const std::string running = std::to_string(::getpid());
    struct Entry {
        std::string name;
        bool stale;
        bool kept;
    };
    const Entry entries[] = {
        {".out.sgm.sigmora-" + gone + "-Ab12Cd", true, false},     // left by an interrupted save
        {".out.sgm.sigmora-" + gone + "-Zz99zz", false, true},     // a minute has not passed
        {".out.sgm.sigmora-" + running + "-Ab12Cd", true, true},   // its process still runs
        {".out.sgm.sigmora-" + gone + "-Ab12C", true, true},       // five characters: not ours
        {".out.sgm.sigmora-" + gone + "-Ab-2Cd", true, true},      // not a letter or digit
        {".out.sgm.sigmora--Ab12Cd", true, true},                  // no process id
        {".other.sgm.sigmora-" + gone + "-Ab12Cd", true, true},    // another file's
        {".out.sgm.backup", true, true},                           // a user's hidden backup
        {".out.sgm.Ab12Cd", true, true},                           // a user's name, whatever its shape
        {"out.sgm.backup", true, true},                            // a visible name is never ours
    };
    for (const Entry& e : entries) {
        std::ofstream(path(e.name.c_str())) << "precious";
        if (e.stale)
            fs::last_write_time(path(e.name.c_str()), fs::file_time_type::clock::now() - std::chrono::hours(2));
    }
    ASSERT_EQ(io::writeFileReplacing(path("out.sgm"), "diagram"), io::WriteError::None);
    for (const Entry& e : entries)
        EXPECT_EQ(fs::exists(path(e.name.c_str())), e.kept) << e.name;
    EXPECT_EQ(readBack(path("out.sgm")), "diagram");
}

// A name as long as the folder allows still saves, and its temporary file is still found.
TEST_F(FileAccessFixture, ALongNameSavesAndLeavesNoTemporary)
{
    const std::string name(255, 'n');
    ASSERT_EQ(io::writeFileReplacing(path(name.c_str()), "diagram"), io::WriteError::None);
    EXPECT_EQ(readBack(path(name.c_str())), "diagram");
    EXPECT_EQ(entries(), 1u);
}

// Only a regular file is replaced, or a link to one; whatever else stands at the name is refused
// with its reason and stays as it was.
TEST_F(FileAccessFixture, AnythingButARegularFileIsRefusedAndKept)
{
    failIfStuck();
    ASSERT_EQ(::mkfifo(path("pipe.vcd").c_str(), 0644), 0);
    // A device node of the test's own, like /dev/null (which a faulty save run as root would
    // replace); only root makes one, so without root a link to a pipe stands in for it.
    const bool device = ::mknod(path("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    fs::create_symlink(device ? path("null") : path("pipe.vcd"), path("null.vcd"));
    fs::create_symlink(path("pipe.vcd"), path("to-pipe.vcd"));
    fs::create_symlink(path("absent.vcd"), path("dangling.vcd"));
    fs::create_symlink(path("loop-b.vcd"), path("loop-a.vcd"));
    fs::create_symlink(path("loop-a.vcd"), path("loop-b.vcd"));
    fs::create_directory(path("folder.vcd"));
    const struct {
        const char* name;
        int reason;
        const char* says;
    } cases[] = {
        {"pipe.vcd", io::kIsPipe, "Is a named pipe, not a regular file"},
        {"null.vcd", device ? io::kIsDevice : io::kIsPipe,
         device ? "Is a device, not a regular file" : "Is a named pipe, not a regular file"},
        {"to-pipe.vcd", io::kIsPipe, "Is a named pipe, not a regular file"},
        {"dangling.vcd", io::kLinkToNothing, "Is a link to a file that does not exist"},
        {"loop-a.vcd", ELOOP, "Too many levels of symbolic links"},
        {"folder.vcd", EISDIR, "Is a directory"},
    };
    const std::size_t before = entries();
    for (const auto& c : cases) {
        const io::WriteResult whole = io::writeFileReplacing(path(c.name), "x");
        EXPECT_EQ(whole, io::WriteError::Failed) << c.name;
        EXPECT_EQ(whole.systemError, c.reason) << c.name;
        int calls = 0;
        const io::WriteResult pieces = io::writeFileReplacing(path(c.name), [&](const io::ByteSink&) { ++calls; });
        EXPECT_EQ(pieces.systemError, c.reason) << c.name;
        EXPECT_EQ(calls, 0) << c.name;
        EXPECT_EQ(io::fileProblem(path(c.name), c.reason), path(c.name) + ": " + c.says);
        EXPECT_EQ(io::readWholeFile(path(c.name)).systemError, c.reason) << c.name;
        EXPECT_FALSE(io::fileReadable(path(c.name))) << c.name;
    }
    EXPECT_EQ(entries(), before) << "nothing made, nothing replaced";
    EXPECT_TRUE(fs::is_fifo(path("pipe.vcd")));
    EXPECT_TRUE(fs::is_symlink(path("null.vcd")));
    EXPECT_EQ(fs::is_character_file(path("null")), device);
    EXPECT_TRUE(fs::is_symlink(path("dangling.vcd")));
    EXPECT_FALSE(fs::exists(path("absent.vcd")));
}

// Reading what is no regular file ends at once with the reason: a pipe nobody writes to, a device
// that never ends, a link to one; the reader never opens them.
TEST_F(FileAccessFixture, ReadingAPipeOrADeviceEndsAtOnceWithTheReason)
{
    failIfStuck();
    ASSERT_EQ(::mkfifo(path("pipe.sgm").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", path("zero.sgm"));
    const struct {
        std::string name;
        int reason;
    } cases[] = {{path("pipe.sgm"), io::kIsPipe}, {"/dev/zero", io::kIsDevice}, {path("zero.sgm"), io::kIsDevice}};
    for (const auto& c : cases) {
        const io::FileBytes read = io::readWholeFile(c.name);
        EXPECT_EQ(read.error, io::ReadError::CannotOpen) << c.name;
        EXPECT_EQ(read.systemError, c.reason) << c.name;
        EXPECT_EQ(io::notRegularFileReason(c.name), c.reason) << c.name;
        int error = 0;
        EXPECT_FALSE(io::copyFile(c.name, path("copy.sgm"), &error));
        EXPECT_EQ(error, c.reason) << c.name;
    }
    EXPECT_FALSE(fs::exists(path("copy.sgm")));
}

TEST_F(FileAccessFixture, TheSameFileIsKnownThroughLinksAndHardLinks)
{
    ASSERT_EQ(io::writeFileReplacing(path("x.vcd"), "dump"), io::WriteError::None);
    fs::create_symlink(path("x.vcd"), path("soft.vcd"));
    fs::create_hard_link(path("x.vcd"), path("hard.vcd"));
    ASSERT_EQ(io::writeFileReplacing(path("y.vcd"), "dump"), io::WriteError::None);
    EXPECT_TRUE(io::sameFile(path("x.vcd"), path("x.vcd")));
    EXPECT_TRUE(io::sameFile(path("x.vcd"), path("soft.vcd")));
    EXPECT_TRUE(io::sameFile(path("hard.vcd"), path("soft.vcd")));
    EXPECT_FALSE(io::sameFile(path("x.vcd"), path("y.vcd")));
    EXPECT_FALSE(io::sameFile(path("x.vcd"), path("absent.vcd")));
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
