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

// Writes bytes to path without ever destroying what path held before: the bytes go to a new
// hidden temporary file in the same folder (".name.XXXXXX"), are flushed to the disk, and the
// temporary file is then renamed over path. Temporary files of the same target that an
// interrupted save left behind (older than a minute) are removed after a successful write. A read-only file is refused, not replaced. An existing file keeps its
// permissions; a symbolic link keeps pointing at the file, which is the one replaced.
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
// The whole content of a regular file of at most limit bytes.
FileBytes readWholeFile(const std::string& path, std::size_t limit = kMaxDiagramFileSize);

// True when path names a file that can be opened for reading.
bool fileReadable(const std::string& path);

// Copies a file byte for byte, replacing the target (through writeFileReplacing). The system's
// error number of a failure goes into systemError when one is given.
bool copyFile(const std::string& from, const std::string& to, int* systemError = nullptr);

// The line that tells the user which file failed and why: the path, ": " and the system's
// reason ("/home/u/a.sgm: Permission denied"); the path alone when there is no reason.
std::string fileProblem(const std::string& path, int systemError);

} // namespace sigmora::io
