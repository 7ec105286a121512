#pragma once

#include <array>
#include <istream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "io/dump/VcdReader.h"
#include "io/dump/VcdTokenizer.h"

namespace sigmora::io {

// The identifier codes of a dump's variables, each numbered in the order it was first declared
// (aliases share one number). Codes of one and two characters, which nearly every dump uses, are
// looked up in a table; longer ones in a hash map, without making a string of the code.
class VcdCodes {
public:
    VcdCodes();
    void add(const std::string& code);
    int find(std::string_view code) const
    {
        if (code.size() == 1)
            return shortCodes_[static_cast<unsigned char>(code[0])];
        if (code.size() == 2)
            return shortCodes_[256u + (static_cast<unsigned char>(code[0]) << 8 | static_cast<unsigned char>(code[1]))];
        const auto it = longCodes_.find(code);
        return it == longCodes_.end() ? -1 : it->second;
    }
    int count() const { return count_; }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::vector<int> shortCodes_; // 256 one-character codes, then 65536 two-character ones
    std::unordered_map<std::string, int, Hash, std::equal_to<>> longCodes_;
    int count_ = 0;
};

// Reads the header and then the value changes of a dump, reporting each to a handler.
class VcdParser {
public:
    explicit VcdParser(std::istream& in) : tokens_(in) {}

    bool readHeader(VcdSurvey& out);

    // Handler: bool time(long long t) (false stops reading), void change(int code, std::string_view value).
    template <class Handler>
    bool readBody(Handler& handler)
    {
        std::string_view w;
        long long now = -1;
        while (word(w)) {
            const char c = w.front();
            if (isScalarLevel(c)) {
                if (w.size() < 2)
                    return fail("a value change without an identifier code");
                const int id = codeId(w.substr(1));
                if (id < 0)
                    return false;
                handler.change(id, w.substr(0, 1));
            } else if (c == '#') {
                long long t = 0;
                if (!timeValue(w.substr(1), t))
                    return false;
                if (t < now)
                    return timeBackwards(t, now);
                now = t;
                if (!handler.time(t))
                    return true;
            } else if (c == 'b' || c == 'B' || c == 'r' || c == 'R') {
                // The value stays where it was read unless its code, the next word, starts a new
                // block: then it is kept aside first.
                std::string_view value = w.substr(1), code;
                if (!tokens_.nextInBlock(code)) {
                    value_.assign(value);
                    value = value_;
                    if (!word(code))
                        return fail(tokens_.tooLong() ? "a word is far too long" : "the file ends inside a value change");
                }
                const int id = codeId(code);
                if (id < 0)
                    return false;
                if (c == 'b' || c == 'B')
                    handler.change(id, value);
            } else if (c == '$') {
                if (!bodyKeyword(w))
                    return false;
            } else {
                return notAChange(w);
            }
        }
        if (tokens_.tooLong())
            return fail("a word is far too long");
        return true;
    }

    int codeCount() const { return codes_.count(); }
    int codeOf(std::string_view code) const { return codes_.find(code); }
    const std::string& error() const { return error_; }
    long long position() const { return tokens_.position(); }

private:
    static bool isScalarLevel(char c) { return kScalarLevels[static_cast<unsigned char>(c)]; }
    static constexpr std::array<bool, 256> kScalarLevels = [] {
        std::array<bool, 256> levels{};
        for (char c : std::string_view("01xXzZuUwWlLhH-"))
            levels[static_cast<unsigned char>(c)] = true;
        return levels;
    }();

    bool word(std::string_view& w) { return tokens_.next(w); }
    bool fail(const std::string& message);
    bool skipToEnd();
    bool wordsToEnd(std::vector<std::string>& words);
    bool variable(const std::vector<std::string>& scopes, VcdSurvey& out);
    bool bodyKeyword(std::string_view w);
    bool timeBackwards(long long t, long long now);
    bool notAChange(std::string_view w);

    bool timeValue(std::string_view digits, long long& t)
    {
        if (digits.empty() || digits.size() > kSafeDigits)
            return longTimeValue(digits, t);
        t = 0;
        for (char c : digits) {
            if (c < '0' || c > '9')
                return longTimeValue(digits, t);
            t = t * 10 + (c - '0');
        }
        return true;
    }
    // Times of more digits than can overflow, or that are no times: checked one digit at a time.
    static constexpr std::size_t kSafeDigits = 18;
    bool longTimeValue(std::string_view digits, long long& t);

    int codeId(std::string_view code)
    {
        const int id = codes_.find(code);
        return id >= 0 ? id : undeclared(code);
    }
    int undeclared(std::string_view code);

    VcdTokenizer tokens_;
    VcdCodes codes_;
    std::string value_;
    std::string error_;
};

} // namespace sigmora::io
