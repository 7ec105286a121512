#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace sigmora::io {

// Writes all of bytes to the open file fd, again after an interruption; false (errno set) when the
// system refuses.
bool writeAll(int fd, std::string_view bytes);

// Writes the pieces of a file made piece by piece on a thread of its own, so that the next piece
// is made while the last one is copied to the file: on two cores a large document is written in
// the time it takes to make it. Each piece is copied when it is handed over, so the maker may
// reuse its storage at once; at most a few pieces wait, so memory stays bounded by the piece size.
// Each piece written is started on its way to the disk (the flush that makes the file safe is the
// caller's, after finish()).
class PieceWriter {
public:
    explicit PieceWriter(int fd);
    ~PieceWriter();
    PieceWriter(const PieceWriter&) = delete;
    PieceWriter& operator=(const PieceWriter&) = delete;

    // Hands a piece over; false once a piece could not be written, and every piece after it is
    // then dropped.
    bool write(std::string_view piece);
    // Waits until every piece handed over is in the file; the system's error number of the first
    // piece that could not be written, 0 when all were.
    int finish();

private:
    static constexpr std::size_t kMaxWaiting = 3;

    void run();

    const int fd_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> waiting_;
    std::vector<std::string> spare_;
    bool closing_ = false;
    int error_ = 0;
    off_t written_ = 0;
    std::thread thread_;
};

} // namespace sigmora::io
