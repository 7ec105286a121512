#include "io/exchange/JsonDocument.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/Utf8Text.h"

namespace sigmora::io {

namespace {

constexpr unsigned kHighSurrogateFirst = 0xD800;
constexpr unsigned kLowSurrogateFirst = 0xDC00;
constexpr unsigned kSurrogateEnd = 0xE000;
constexpr unsigned kReplacement = 0xFFFD;

bool isIdentifierChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$' ||
           u >= 0x80;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A recursive-descent parser; every failure records the first problem and unwinds.
class Parser {
public:
    explicit Parser(std::string_view text) : t_(text) {}

    JsonParseResult run()
    {
        JsonParseResult result;
        skipSpace();
        if (!failed() && atEnd())
            fail("the file is empty");
        if (!failed())
            result.value = value(0);
        skipSpace();
        if (!failed() && !atEnd())
            fail("unexpected text after the end of the document");
        result.ok = !failed();
        if (!result.ok)
            result.error = "line " + std::to_string(line()) + ": " + error_;
        return result;
    }

private:
    bool failed() const { return !error_.empty(); }
    bool atEnd() const { return i_ >= t_.size(); }
    char peek(std::size_t ahead = 0) const { return i_ + ahead < t_.size() ? t_[i_ + ahead] : '\0'; }
    void fail(std::string message)
    {
        if (!failed())
            error_ = std::move(message);
    }
    int line() const
    {
        int n = 1;
        for (std::size_t k = 0; k < i_ && k < t_.size(); ++k)
            n += t_[k] == '\n';
        return n;
    }

    void skipSpace()
    {
        while (!atEnd()) {
            const char c = peek();
            if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
                ++i_;
            } else if (c == '/' && peek(1) == '/') {
                while (!atEnd() && peek() != '\n')
                    ++i_;
            } else if (c == '/' && peek(1) == '*') {
                const std::size_t end = t_.find("*/", i_ + 2);
                if (end == std::string_view::npos) {
                    i_ = t_.size();
                    fail("a comment is not closed");
                    return;
                }
                i_ = end + 2;
            } else {
                return;
            }
        }
    }

    JsonValue value(int depth)
    {
        JsonValue v;
        if (depth >= kMaxJsonDepth) {
            fail("nesting deeper than " + std::to_string(kMaxJsonDepth) + " levels");
            return v;
        }
        skipSpace();
        const char c = peek();
        if (atEnd())
            fail("the document ends early");
        else if (c == '{')
            object(v, depth);
        else if (c == '[')
            array(v, depth);
        else if (c == '"' || c == '\'') {
            v.kind = JsonValue::Kind::String;
            v.text = string();
        } else if (c == '-' || c == '+' || c == '.' || (c >= '0' && c <= '9'))
            number(v);
        else
            word(v);
        return v;
    }

    void object(JsonValue& v, int depth)
    {
        v.kind = JsonValue::Kind::Object;
        ++i_;
        for (;;) {
            skipSpace();
            if (failed())
                return;
            if (peek() == '}') {
                ++i_;
                return;
            }
            std::string key = memberName();
            skipSpace();
            if (failed())
                return;
            if (peek() != ':') {
                fail("':' expected after the member name \"" + key + "\"");
                return;
            }
            ++i_;
            JsonValue member = value(depth + 1);
            if (failed())
                return;
            v.members.push_back({std::move(key), std::move(member)});
            if (!separatorOr('}'))
                return;
        }
    }

    void array(JsonValue& v, int depth)
    {
        v.kind = JsonValue::Kind::Array;
        ++i_;
        for (;;) {
            skipSpace();
            if (failed())
                return;
            if (peek() == ']') {
                ++i_;
                return;
            }
            JsonValue item = value(depth + 1);
            if (failed())
                return;
            v.items.push_back(std::move(item));
            if (!separatorOr(']'))
                return;
        }
    }

    // After a member or item: a comma (the closer is then seen by the loop, allowing a trailing
    // comma) or the closer itself.
    bool separatorOr(char closer)
    {
        skipSpace();
        if (failed())
            return false;
        if (peek() == ',') {
            ++i_;
            return true;
        }
        if (peek() == closer) {
            return true;
        }
        fail(atEnd() ? "the document ends early" : std::string("',' or '") + closer + "' expected");
        return false;
    }

    std::string memberName()
    {
        if (peek() == '"' || peek() == '\'')
            return string();
        const std::size_t start = i_;
        while (!atEnd() && isIdentifierChar(peek()))
            ++i_;
        if (start == i_)
            fail(atEnd() ? "the document ends early" : "a member name expected");
        return std::string(t_.substr(start, i_ - start));
    }

    unsigned hex4()
    {
        unsigned cp = 0;
        for (int k = 0; k < 4; ++k) {
            const int d = hexDigit(peek());
            if (d < 0) {
                fail("a \\u escape needs four hexadecimal digits");
                return 0;
            }
            cp = cp * 16 + static_cast<unsigned>(d);
            ++i_;
        }
        return cp;
    }

    void unicodeEscape(std::string& out)
    {
        unsigned cp = hex4();
        if (failed())
            return;
        if (cp >= kHighSurrogateFirst && cp < kLowSurrogateFirst && peek() == '\\' && peek(1) == 'u') {
            i_ += 2;
            const unsigned low = hex4();
            if (low >= kLowSurrogateFirst && low < kSurrogateEnd)
                cp = 0x10000 + ((cp - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
            else
                cp = kReplacement;
        } else if (cp >= kHighSurrogateFirst && cp < kSurrogateEnd) {
            cp = kReplacement; // a lone surrogate has no UTF-8 form
        }
        model::appendUtf8(out, cp);
    }

    std::string string()
    {
        const char quote = peek();
        ++i_;
        std::string out;
        while (!failed()) {
            if (atEnd()) {
                fail("a string is not closed");
                break;
            }
            const char c = peek();
            ++i_;
            if (c == quote)
                break;
            if (c == '\n') {
                fail("a line break inside a string");
                break;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            if (atEnd()) {
                fail("a string is not closed");
                break;
            }
            const char e = peek();
            ++i_;
            switch (e) {
            case 'n': out += '\n'; break;
            case 't': out += '\t'; break;
            case 'r': out += '\r'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'v': out += '\v'; break;
            case '0': out += '\0'; break;
            case 'u': unicodeEscape(out); break;
            case '\n': break; // a continued line
            default: out += e; break;
            }
        }
        return out;
    }

    void number(JsonValue& v)
    {
        v.kind = JsonValue::Kind::Number;
        const std::size_t start = i_;
        if (peek() == '+' || peek() == '-')
            ++i_;
        const bool negative = start < t_.size() && t_[start] == '-';
        if (peek() == '0' && (peek(1) == 'x' || peek(1) == 'X')) {
            i_ += 2;
            double n = 0;
            const std::size_t digits = i_;
            while (hexDigit(peek()) >= 0) {
                n = n * 16 + hexDigit(peek());
                ++i_;
            }
            if (digits == i_)
                fail("a hexadecimal number without digits");
            v.number = negative ? -n : n;
            return;
        }
        while (!atEnd() && (std::isdigit(static_cast<unsigned char>(peek())) || peek() == '.' || peek() == 'e' ||
                            peek() == 'E' || ((peek() == '+' || peek() == '-') && (t_[i_ - 1] == 'e' || t_[i_ - 1] == 'E'))))
            ++i_;
        const std::string literal(t_.substr(start, i_ - start));
        char* end = nullptr;
        errno = 0;
        v.number = std::strtod(literal.c_str(), &end);
        if (end != literal.c_str() + literal.size() || !std::isfinite(v.number))
            fail("\"" + literal + "\" is not a number");
    }

    void word(JsonValue& v)
    {
        const std::size_t start = i_;
        while (!atEnd() && isIdentifierChar(peek()))
            ++i_;
        const std::string_view w = t_.substr(start, i_ - start);
        if (w == "true" || w == "false") {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = w == "true";
        } else if (w == "null") {
            v.kind = JsonValue::Kind::Null;
        } else if (w == "Infinity" || w == "NaN") {
            v.kind = JsonValue::Kind::Number;
        } else {
            fail(w.empty() ? "unexpected character (code " + std::to_string(static_cast<unsigned char>(peek())) + ")"
                           : "unexpected word \"" + std::string(w) + "\"");
        }
    }

    std::string_view t_;
    std::size_t i_ = 0;
    std::string error_;
};

} // namespace

const JsonValue* JsonValue::member(std::string_view key) const
{
    for (const auto& [name, value] : members)
        if (name == key)
            return &value;
    return nullptr;
}

JsonParseResult parseJson(std::string_view text)
{
    const std::size_t bad = model::invalidUtf8Offset(text);
    if (bad != std::string_view::npos) {
        int line = 1;
        for (std::size_t k = 0; k < bad; ++k)
            line += text[k] == '\n';
        JsonParseResult result;
        result.error = "line " + std::to_string(line) + ": the text is not UTF-8 (byte " + std::to_string(bad + 1) + ")";
        return result;
    }
    return Parser(text).run();
}

std::string jsonQuoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace sigmora::io
