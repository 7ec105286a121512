#include "io/base/FileAccess.h"

#include "io/base/PieceWriter.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <filesystem>
#include <vector>

namespace sigmora::io {

namespace {

// The temporary file of a save is hidden and carries a fixed infix and the saving process's id, so
// that only files this program made are ever taken for its temporaries: ".NAME.sigmora-PID-"
// and six random characters.
constexpr std::string_view kTemporaryPrefix = ".";
constexpr std::string_view kTemporaryInfix = ".sigmora-";
constexpr std::string_view kTemporaryRandom = "XXXXXX";
constexpr std::size_t kMaxFileName = 255;
constexpr std::size_t kMaxProcessIdDigits = 10;
constexpr mode_t kNewFileMode = 0666;
// A temporary file this old belongs to a save that was interrupted, not to one still running.
constexpr std::chrono::seconds kStaleTemporaryAge{60};

bool deniedAccess(int error)
{
    return error == EACCES || error == EPERM || error == EROFS;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The permissions a new file gets: those of the file it replaces, else 0666 less the umask.
mode_t modeFor(const std::string& path)
{
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return kNewFileMode & ~mask;
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

WriteResult failure(int error)
{
    return {deniedAccess(error) ? WriteError::AccessDenied : WriteError::Failed, error};
}

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The start of the names of this program's temporary files for target: the target's name is cut
// where a long one would make the whole name too long for the folder.
std::string temporaryStem(const std::string& target)
{
    const std::size_t room = kMaxFileName - kTemporaryPrefix.size() - kTemporaryInfix.size() - kMaxProcessIdDigits -
                             1 - kTemporaryRandom.size();
    return std::string(kTemporaryPrefix) + target.substr(0, room) + std::string(kTemporaryInfix);
}

std::string temporaryPattern(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + temporaryStem(nameOf(path)) + std::to_string(::getpid()) + "-" + std::string(kTemporaryRandom);
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || isDigit(c);
}

// The id of the process that made name, when name is one of this program's temporary files for
// target (its stem, the id, "-" and six letters or digits); 0 when it is not.
pid_t temporaryMaker(std::string_view name, const std::string& target)
{
    const std::string stem = temporaryStem(target);
    if (!name.starts_with(stem))
        return 0;
    name.remove_prefix(stem.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > kMaxProcessIdDigits ||
        name.size() != dash + 1 + kTemporaryRandom.size())
        return 0;
    long long id = 0;
    for (char c : name.substr(0, dash)) {
        if (!isDigit(c))
            return 0;
        id = id * 10 + (c - '0');
    }
    for (char c : name.substr(dash + 1))
        if (!isLetterOrDigit(c))
            return 0;
    return id > 0 && id <= std::numeric_limits<pid_t>::max() ? static_cast<pid_t>(id) : 0;
}

bool processRuns(pid_t id)
{
    return ::kill(id, 0) == 0 || errno != ESRCH;
}

// Removes the temporary files that interrupted saves of this program to path left beside it:
// those whose process has ended and that have not been touched for a minute.
void removeStaleTemporaries(const std::string& path)
{
    namespace fs = std::filesystem;
    const std::string target = nameOf(path);
    const auto now = fs::file_time_type::clock::now();
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folderOf(path), error)) {
        std::error_code ignored;
        const pid_t maker = temporaryMaker(entry.path().filename().string(), target);
        if (maker == 0 || processRuns(maker) || !entry.is_regular_file(ignored) || ignored)
            continue;
        const auto written = entry.last_write_time(ignored);
        if (!ignored && now - written > kStaleTemporaryAge)
            fs::remove(entry.path(), ignored);
    }
}

// The reason a file of this kind is neither read nor replaced; 0 for a regular file.
int kindReason(mode_t mode)
{
    if (S_ISREG(mode))
        return 0;
    if (S_ISDIR(mode))
        return EISDIR;
    if (S_ISFIFO(mode))
        return kIsPipe;
    if (S_ISSOCK(mode))
        return kIsSocket;
    return kIsDevice;
}

// The file a save to requested replaces: requested itself when nothing is there yet or it is a
// regular file, the regular file a link names (the link stays); else the reason for refusing.
struct SaveTarget {
    std::string path;
    int reason = 0;
};
SaveTarget saveTarget(const std::string& requested)
{
    struct stat info {};
    if (::lstat(requested.c_str(), &info) != 0)
        return errno == ENOENT ? SaveTarget{requested} : SaveTarget{{}, errno};
    if (!S_ISLNK(info.st_mode))
        return {requested, kindReason(info.st_mode)};
    if (::stat(requested.c_str(), &info) != 0)
        return {{}, errno == ENOENT ? kLinkToNothing : errno};
    if (const int reason = kindReason(info.st_mode))
        return {{}, reason};
    char* resolved = ::realpath(requested.c_str(), nullptr);
    if (resolved == nullptr)
        return {{}, errno};
    SaveTarget target{resolved};
    std::free(resolved);
    return target;
}

// The whole of a save: fill writes the file's bytes into the temporary file and answers the
// system's error number of a failure (0 when all went in); then the flush, the rename over the
// target and the tidying up.
WriteResult replaceFile(const std::string& requested, const std::function<int(int fd)>& fill)
{
    if (requested.empty())
        return {WriteError::Failed, ENOENT};
    const SaveTarget target = saveTarget(requested);
    if (target.reason != 0)
        return failure(target.reason);
    const std::string& path = target.path;
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        return failure(errno);
    const std::string pattern = temporaryPattern(path);
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failure(errno);
    int fillErrno = ::fchmod(fd, modeFor(path)) == 0 ? 0 : errno;
    if (fillErrno == 0)
        fillErrno = fill(fd);
    const bool written = fillErrno == 0 && ::fsync(fd) == 0;
    const int writeErrno = fillErrno != 0 ? fillErrno : errno;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(temporary.data());
        return failure(written ? errno : writeErrno);
    }
    if (::rename(temporary.data(), path.c_str()) != 0) {
        const int renameErrno = errno;
        ::unlink(temporary.data());
        return failure(renameErrno);
    }
    syncFolder(folderOf(path));
    removeStaleTemporaries(path);
    return {};
}

} // namespace

WriteResult writeFileReplacing(const std::string& requested, std::string_view bytes)
{
    return replaceFile(requested, [bytes](int fd) { return writeAll(fd, bytes) ? 0 : errno; });
}

WriteResult writeFileReplacing(const std::string& requested, const std::function<void(const ByteSink&)>& produce)
{
    return replaceFile(requested, [&produce](int fd) {
        PieceWriter writer(fd);
        produce([&writer](std::string_view piece) { return writer.write(piece); });
        return writer.finish();
    });
}

int notRegularFileReason(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        struct stat link {};
        return errno == ENOENT && ::lstat(path.c_str(), &link) == 0 ? kLinkToNothing : errno;
    }
    return kindReason(info.st_mode);
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first {}, second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

FileBytes readWholeFile(const std::string& path, std::size_t limit)
{
    FileBytes result;
    result.error = ReadError::CannotOpen;
    // Looked at before it is opened: opening a pipe waits for a writer, opening a device may act.
    if ((result.systemError = notRegularFileReason(path)) != 0)
        return result;
    // Opened without waiting, and checked again: the name may have changed hands in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.systemError = errno;
        return result;
    }
    struct stat info {};
    const bool known = ::fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        result.systemError = known ? kindReason(info.st_mode) : errno;
        ::close(fd);
        return result;
    }
    result.error = ReadError::None;
    if (static_cast<std::size_t>(info.st_size) > limit) {
        ::close(fd);
        result.error = ReadError::TooLarge;
        return result;
    }
    result.bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.error = ReadError::CannotOpen;
            result.systemError = errno;
            break;
        }
        if (got == 0)
            break;
        result.bytes.append(buffer, static_cast<std::size_t>(got));
        if (result.bytes.size() > limit) {
            result.error = ReadError::TooLarge;
            break;
        }
    }
    ::close(fd);
    if (result.error != ReadError::None)
        result.bytes.clear();
    return result;
}

bool fileReadable(const std::string& path)
{
    if (notRegularFileReason(path) != 0)
        return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool copyFile(const std::string& from, const std::string& to, int* systemError)
{
    const FileBytes source = readWholeFile(from);
    int error = source.systemError;
    bool copied = false;
    if (source.error == ReadError::None) {
        const WriteResult written = writeFileReplacing(to, source.bytes);
        copied = written == WriteError::None;
        error = written.systemError;
    }
    if (systemError)
        *systemError = error;
    return copied;
}

std::string fileProblem(const std::string& path, int systemError)
{
    switch (systemError) {
    case 0: return path;
    case kIsPipe: return path + ": Is a named pipe, not a regular file";
    case kIsDevice: return path + ": Is a device, not a regular file";
    case kIsSocket: return path + ": Is a socket, not a regular file";
    case kLinkToNothing: return path + ": Is a link to a file that does not exist";
    default: return path + ": " + std::strerror(systemError);
    }
}

} // namespace sigmora::io
