#include "io/dump/VcdTokenizer.h"

namespace sigmora::io {

VcdTokenizer::VcdTokenizer(std::istream& in) : in_(in)
{
    buffer_.assign(kBlock + 1, ' ');
    at_ = end_ = buffer_.data();
}

bool VcdTokenizer::fill()
{
    consumed_ += end_ - buffer_.data();
    std::streamsize got = 0;
    if (std::streambuf* source = in_.rdbuf())
        got = source->sgetn(buffer_.data(), static_cast<std::streamsize>(kBlock));
    at_ = buffer_.data();
    end_ = at_ + (got > 0 ? got : 0);
    buffer_[static_cast<std::size_t>(end_ - at_)] = ' ';
    return at_ != end_;
}

bool VcdTokenizer::nextAcrossBlocks(std::string_view& word)
{
    // Skip blanks, counting lines, across as many blocks as they take.
    for (;;) {
        if (at_ == end_ && !fill())
            return false;
        if (!isBlank(*at_))
            break;
        line_ += *at_ == '\n';
        ++at_;
    }
    wordLine_ = line_;
    const char* start = at_;
    while (at_ != end_ && !isBlank(*at_))
        ++at_;
    if (at_ != end_) {
        word = std::string_view(start, static_cast<std::size_t>(at_ - start));
        return true;
    }
    // The word runs to the end of the block: gather it across blocks.
    word_.assign(start, static_cast<std::size_t>(at_ - start));
    while (fill()) {
        const char* end = at_;
        while (end != end_ && !isBlank(*end))
            ++end;
        word_.append(at_, static_cast<std::size_t>(end - at_));
        at_ = end;
        if (word_.size() > kMaxWord) {
            tooLong_ = true;
            return false;
        }
        if (end != end_)
            break;
    }
    if (word_.size() > kMaxWord) {
        tooLong_ = true;
        return false;
    }
    word = word_;
    return true;
}

} // namespace sigmora::io
