#include "io/base/PieceWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace sigmora::io {

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

PieceWriter::PieceWriter(int fd) : fd_(fd), thread_([this] { run(); }) {}

PieceWriter::~PieceWriter()
{
    finish();
}

bool PieceWriter::write(std::string_view piece)
{
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return waiting_.size() < kMaxWaiting || error_ != 0; });
    if (error_ != 0)
        return false;
    if (piece.empty())
        return true;
    std::string copy;
    if (!spare_.empty()) {
        copy = std::move(spare_.back());
        spare_.pop_back();
    }
    copy.assign(piece);
    waiting_.push_back(std::move(copy));
    changed_.notify_all();
    return true;
}

int PieceWriter::finish()
{
    {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            return error_;
        closing_ = true;
        changed_.notify_all();
    }
    thread_.join();
    return error_;
}

void PieceWriter::run()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return !waiting_.empty() || closing_; });
        if (waiting_.empty())
            return;
        std::string piece = std::move(waiting_.front());
        waiting_.pop_front();
        const bool failed = error_ != 0;
        lock.unlock();
        int pieceError = 0;
        if (!failed) {
            if (writeAll(fd_, piece)) {
                // The disk starts on this piece while the next is made, so that the flush at the
                // end has little left to wait for (a hint: the flush is what makes the file safe).
                (void)::sync_file_range(fd_, written_, static_cast<off_t>(piece.size()), SYNC_FILE_RANGE_WRITE);
                written_ += static_cast<off_t>(piece.size());
            } else {
                pieceError = errno != 0 ? errno : EIO;
            }
        }
        lock.lock();
        if (pieceError != 0 && error_ == 0)
            error_ = pieceError;
        if (error_ != 0)
            waiting_.clear();
        piece.clear();
        spare_.push_back(std::move(piece));
        changed_.notify_all();
    }
}

} // namespace sigmora::io
