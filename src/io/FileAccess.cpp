#include "io/FileAccess.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace sigmora::io {

namespace {

constexpr std::string_view kTemporarySuffix = ".XXXXXX";
constexpr mode_t kNewFileMode = 0666;

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

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A link is followed: the file it names is replaced, and the link stays.
std::string followLinks(const std::string& path)
{
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string target(resolved);
    std::free(resolved);
    return target;
}

WriteError failure(int error)
{
    return deniedAccess(error) ? WriteError::AccessDenied : WriteError::Failed;
}

} // namespace

WriteError writeFileReplacing(const std::string& requested, std::string_view bytes)
{
    if (requested.empty())
        return WriteError::Failed;
    const std::string path = followLinks(requested);
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0)
        return failure(errno);
    std::vector<char> temporary(path.begin(), path.end());
    temporary.insert(temporary.end(), kTemporarySuffix.begin(), kTemporarySuffix.end());
    temporary.push_back('\0');
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failure(errno);
    const bool written = ::fchmod(fd, modeFor(path)) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeErrno = errno;
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
    return WriteError::None;
}

FileBytes readWholeFile(const std::string& path, std::size_t limit)
{
    FileBytes result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        result.error = ReadError::CannotOpen;
        return result;
    }
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool copyFile(const std::string& from, const std::string& to)
{
    const FileBytes source = readWholeFile(from);
    return source.error == ReadError::None && writeFileReplacing(to, source.bytes) == WriteError::None;
}

} // namespace sigmora::io
