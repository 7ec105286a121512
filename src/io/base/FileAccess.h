#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sigmora::io {

enum class WriteError {
    None,
    AccessDenied, // the folder or the file may not be written (or the file is read-only)
    Failed,       // any other cause: no such folder, disk full, ...
};

// How a write ended: the error, and the system's error number behind it (0 when none).
struct WriteResult {
    WriteError error = WriteError::None;
    int systemError = 0;
    bool operator==(WriteError other) const { return error == other; }
};

// Reasons of this program's own for a file it will not read or replace, beside the system's error
// numbers (negative, so never taken for one); fileProblem() words them.
inline constexpr int kIsPipe = -1;        // a named pipe (FIFO): reading it would wait for a writer
inline constexpr int kIsDevice = -2;      // a character or block device
inline constexpr int kIsSocket = -3;      // a socket
inline constexpr int kLinkToNothing = -4; // a symbolic link whose file does not exist

// Why path is no regular file to read: 0 when it is one (or a link to one), else the system's
// error number (ENOENT, ELOOP, EISDIR, ...) or one of the reasons above. Only looks; opens nothing.
int notRegularFileReason(const std::string& path);

// True when a and b name the same existing file (links followed): the same device and inode.
bool sameFile(const std::string& a, const std::string& b);

// Writes bytes to path without ever destroying what path held before: the bytes go to a new
// hidden temporary file in the same folder (".name.sigmora-PID-XXXXXX", a name no user picks),
// are flushed to the disk, and the temporary file is then renamed over path. Only a regular file
// is replaced (or none created): a folder, a pipe, a device, a socket, a dangling or looping link
// is refused with its reason. A symbolic link to a regular file keeps pointing at it, and that
// file is the one replaced. A read-only file is refused, not replaced. An existing file keeps its
// permissions. After a successful write, the temporary files of the same target that an earlier
// save of this program left behind (their process gone, older than a minute) are removed;
// nothing else is.
WriteResult writeFileReplacing(const std::string& path, std::string_view bytes);

// The same, for a file made piece by piece: produce is handed a sink and writes the file's bytes
// into it in order, so that a large document never has to be held whole. The pieces are copied
// to the file on a thread of their own while the next ones are made. A piece that cannot be
// written ends the write (the sink answers false from then on) and nothing replaces path.
using ByteSink = std::function<bool(std::string_view)>;
WriteResult writeFileReplacing(const std::string& path, const std::function<void(const ByteSink&)>& produce);

// Files above this size are not diagrams (the largest diagram takes about 1.5 MB).
inline constexpr std::size_t kMaxDiagramFileSize = 64u * 1024 * 1024;

enum class ReadError { None, CannotOpen, TooLarge };
struct FileBytes {
    ReadError error = ReadError::None;
    std::string bytes;
    int systemError = 0; // the system's error number when the file could not be opened or read
};
// The whole content of a regular file of at most limit bytes. Anything else (a pipe, a device, a
// folder) is refused before it is opened, with its reason in systemError, and the file is opened
// without waiting, so that nothing handed to the program can hold it up.
FileBytes readWholeFile(const std::string& path, std::size_t limit = kMaxDiagramFileSize);

// True when path names a regular file (or a link to one) that can be opened for reading.
bool fileReadable(const std::string& path);

// Copies a file byte for byte, replacing the target (through writeFileReplacing). The system's
// error number of a failure goes into systemError when one is given.
bool copyFile(const std::string& from, const std::string& to, int* systemError = nullptr);

// The line that tells the user which file failed and why: the path, ": " and the system's
// reason ("/home/u/a.sgm: Permission denied", "/tmp/p: Is a named pipe, not a regular file");
// the path alone when there is no reason.
std::string fileProblem(const std::string& path, int systemError);

} // namespace sigmora::io
