#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace sigmora::io {

// Splits a value change dump into its blank-separated words, reading the stream in blocks so that
// a dump of any size takes the same memory. A word longer than kMaxWord is an error.
class VcdTokenizer {
public:
    static constexpr std::size_t kBlock = 1u << 20;
    static constexpr std::size_t kMaxWord = 1u << 20;

    explicit VcdTokenizer(std::istream& in);
    VcdTokenizer(const VcdTokenizer&) = delete;
    VcdTokenizer& operator=(const VcdTokenizer&) = delete;

    // The next word, valid until the following call; false at the end of the stream or when a word
    // is too long (tooLong() tells which).
    bool next(std::string_view& word);
    bool tooLong() const { return tooLong_; }
    // The line of the word last answered, counting from 1.
    long long line() const { return wordLine_; }
    // Bytes consumed so far.
    long long position() const { return consumed_ + static_cast<long long>(pos_); }

private:
    bool fill();

    std::istream& in_;
    std::string buffer_;
    std::string word_;
    std::size_t pos_ = 0;
    long long consumed_ = 0;
    long long line_ = 1;
    long long wordLine_ = 1;
    bool tooLong_ = false;
};

} // namespace sigmora::io
