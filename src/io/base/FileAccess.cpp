#include "io/base/FileAccess.h"

#include "io/base/PieceWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

namespace sigmora::io {

namespace {

// The temporary file of a save is hidden: a dot, the target's name and six random characters.
constexpr std::string_view kTemporaryPrefix = ".";
constexpr std::string_view kTemporarySuffix = ".XXXXXX";
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

WriteResult failure(int error)
{
    return {deniedAccess(error) ? WriteError::AccessDenied : WriteError::Failed, error};
}

std::string nameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string temporaryPattern(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    return folder + std::string(kTemporaryPrefix) + nameOf(path) + std::string(kTemporarySuffix);
}

// True for the name of a temporary file of a save to target: ".", the target's name, "." and
// six letters or digits.
bool isTemporaryOf(std::string_view name, std::string_view target)
{
    const std::size_t random = kTemporarySuffix.size() - 1;
    if (name.size() != kTemporaryPrefix.size() + target.size() + kTemporarySuffix.size() ||
        !name.starts_with(kTemporaryPrefix) || name.substr(kTemporaryPrefix.size(), target.size()) != target ||
        name[name.size() - random - 1] != '.')
        return false;
    for (char c : name.substr(name.size() - random))
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// Removes the temporary files that interrupted saves to path left beside it.
void removeStaleTemporaries(const std::string& path)
{
    namespace fs = std::filesystem;
    const std::string target = nameOf(path);
    const auto now = fs::file_time_type::clock::now();
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folderOf(path), error)) {
        std::error_code ignored;
        if (!isTemporaryOf(entry.path().filename().string(), target) || !entry.is_regular_file(ignored))
            continue;
        const auto written = entry.last_write_time(ignored);
        if (!ignored && now - written > kStaleTemporaryAge)
            fs::remove(entry.path(), ignored);
    }
}

// The whole of a save: fill writes the file's bytes into the temporary file and answers the
// system's error number of a failure (0 when all went in); then the flush, the rename over the
// target and the tidying up.
WriteResult replaceFile(const std::string& requested, const std::function<int(int fd)>& fill)
{
    if (requested.empty())
        return {WriteError::Failed, ENOENT};
    const std::string path = followLinks(requested);
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

FileBytes readWholeFile(const std::string& path, std::size_t limit)
{
    FileBytes result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0) {
        result.error = ReadError::CannotOpen;
        result.systemError = errno;
        return result;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        // A folder says so; a device or a pipe is no file to read a diagram from.
        result.systemError = S_ISDIR(info.st_mode) ? EISDIR : 0;
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
    if (systemError == 0)
        return path;
    return path + ": " + std::strerror(systemError);
}

} // namespace sigmora::io
