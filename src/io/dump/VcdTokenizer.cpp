#include "io/dump/VcdTokenizer.h"

namespace sigmora::io {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\n' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

} // namespace

VcdTokenizer::VcdTokenizer(std::istream& in) : in_(in) { buffer_.reserve(kBlock); }

bool VcdTokenizer::fill()
{
    consumed_ += static_cast<long long>(pos_);
    buffer_.resize(kBlock);
    in_.read(buffer_.data(), static_cast<std::streamsize>(kBlock));
    buffer_.resize(static_cast<std::size_t>(in_.gcount()));
    pos_ = 0;
    return !buffer_.empty();
}

bool VcdTokenizer::next(std::string_view& word)
{
    // Skip blanks, counting lines.
    for (;;) {
        if (pos_ == buffer_.size() && !fill())
            return false;
        const char c = buffer_[pos_];
        if (!isBlank(c))
            break;
        line_ += c == '\n';
        ++pos_;
    }
    wordLine_ = line_;
    const std::size_t start = pos_;
    while (pos_ < buffer_.size() && !isBlank(buffer_[pos_]))
        ++pos_;
    if (pos_ < buffer_.size()) {
        word = std::string_view(buffer_).substr(start, pos_ - start);
        return true;
    }
    // The word runs to the end of the block: gather it across blocks.
    word_.assign(buffer_, start, pos_ - start);
    while (fill()) {
        std::size_t end = 0;
        while (end < buffer_.size() && !isBlank(buffer_[end]))
            ++end;
        word_.append(buffer_, 0, end);
        pos_ = end;
        if (word_.size() > kMaxWord) {
            tooLong_ = true;
            return false;
        }
        if (end < buffer_.size())
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
