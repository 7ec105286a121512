#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <sys/resource.h>

#include "io/base/FileAccess.h"
#include "io/base/PieceWriter.h"

using namespace sigmora;

namespace {

// A temporary file open for reading and writing, removed at the end.
struct OpenFile {
    char name[32] = "/tmp/sigmora-pieces-XXXXXX";
    int fd = ::mkstemp(name);
    ~OpenFile()
    {
        ::close(fd);
        ::unlink(name);
    }
    std::string content() const { return io::readWholeFile(name).bytes; }
};

} // namespace

// The maker reuses one buffer for every piece, as the SVG writer does: each piece must be in the
// file as it was when it was handed over, in order, however far the writing thread lags behind.
TEST(PieceWriter, EachPieceIsWrittenAsItWasHandedOver)
{
    OpenFile file;
    ASSERT_GE(file.fd, 0);
    std::string expected;
    {
        io::PieceWriter writer(file.fd);
        std::string buffer;
        for (int k = 0; k < 40; ++k) {
            buffer.assign(static_cast<std::size_t>((k % 7) * 70000 + 1), static_cast<char>('a' + k % 26));
            buffer += std::to_string(k);
            expected += buffer;
            ASSERT_TRUE(writer.write(buffer));
            buffer.assign(buffer.size(), '#'); // the maker's next piece overwrites the storage
        }
        EXPECT_TRUE(writer.write(""));
        EXPECT_EQ(writer.finish(), 0);
        EXPECT_EQ(writer.finish(), 0) << "a second finish only answers again";
    }
    EXPECT_EQ(file.content(), expected);
}

// A file that refuses the bytes: the failure comes back with the system's reason, every piece
// after it is refused, and the writer still ends cleanly (also when finish is never called).
TEST(PieceWriter, AFailedPieceEndsTheWriteWithTheSystemsReason)
{
    const int readOnly = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(readOnly, 0);
    {
        io::PieceWriter writer(readOnly);
        const std::string piece(1 << 16, 'x');
        bool refused = false;
        for (int k = 0; k < 1000 && !refused; ++k)
            refused = !writer.write(piece);
        EXPECT_EQ(writer.finish(), EBADF);
        EXPECT_FALSE(writer.write(piece));
    }
    {
        io::PieceWriter abandoned(readOnly);
        (void)abandoned.write("never written");
    }
    ::close(readOnly);
}

// A file that grows past what the system allows (here the file size limit) is not saved: the
// producer is told to stop, the old file stays as it was and no temporary file is left.
TEST(PieceWriter, ASaveThatRunsOutOfRoomLeavesTheOldFile)
{
    const std::string folder = "/tmp/sigmora-pieces-" + std::to_string(::getpid());
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/doc.svg";
    ASSERT_EQ(io::writeFileReplacing(path, "old"), io::WriteError::None);

    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    rlimit limited = before;
    limited.rlim_cur = 1 << 20;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    int accepted = 0, refused = 0;
    const io::WriteResult result = io::writeFileReplacing(path, [&](const io::ByteSink& sink) {
        for (int k = 0; k < 12; ++k)
            (sink(std::string(1 << 18, 'x')) ? accepted : refused) += 1;
    });
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(result, io::WriteError::Failed);
    EXPECT_EQ(result.systemError, EFBIG);
    EXPECT_GT(refused, 0) << "the producer hears that its pieces are no longer written";
    EXPECT_EQ(io::readWholeFile(path).bytes, "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
    std::filesystem::remove_all(folder);
}
