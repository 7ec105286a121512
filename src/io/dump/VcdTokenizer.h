#pragma once

#include <array>
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
    bool next(std::string_view& word) { return nextInBlock(word) || nextAcrossBlocks(word); }
    // The next word when it lies wholly inside the block read, so that the words answered before
    // stay valid; false, with nothing consumed, when it does not.
    bool nextInBlock(std::string_view& word)
    {
        const char* at = at_;
        long long line = line_;
        while (at != end_ && isBlank(*at)) {
            line += *at == '\n';
            ++at;
        }
        const char* start = at;
        while (!isBlank(*at)) // the blank after the block stops it there
            ++at;
        if (at == end_)
            return false;
        at_ = at;
        line_ = wordLine_ = line;
        word = std::string_view(start, static_cast<std::size_t>(at - start));
        return true;
    }
    bool tooLong() const { return tooLong_; }
    // The line of the word last answered, counting from 1.
    long long line() const { return wordLine_; }
    // Bytes consumed so far.
    long long position() const { return consumed_ + (at_ - buffer_.data()); }

private:
    static bool isBlank(char c) { return kBlanks[static_cast<unsigned char>(c)]; }
    static constexpr std::array<bool, 256> kBlanks = [] {
        std::array<bool, 256> blanks{};
        for (unsigned char c : {' ', '\n', '\t', '\r', '\f', '\v'})
            blanks[c] = true;
        return blanks;
    }();

    bool fill();
    bool nextAcrossBlocks(std::string_view& word);

    std::istream& in_;
    std::string buffer_; // the block read, then one blank
    std::string word_;
    const char* at_ = nullptr;  // the next byte to look at in buffer_
    const char* end_ = nullptr; // the end of what buffer_ holds
    long long consumed_ = 0;
    long long line_ = 1;
    long long wordLine_ = 1;
    bool tooLong_ = false;
};

} // namespace sigmora::io
