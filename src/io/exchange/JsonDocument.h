#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sigmora::io {

struct JsonMember;

// One value of a JSON document. Objects keep their members in file order.
struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool boolean = false;
    double number = 0;
    std::string text;
    std::vector<JsonValue> items;
    std::vector<JsonMember> members;

    bool isObject() const { return kind == Kind::Object; }
    bool isArray() const { return kind == Kind::Array; }
    bool isString() const { return kind == Kind::String; }
    bool isNumber() const { return kind == Kind::Number; }
    // The first member named key, or nullptr (also for values that are not objects).
    const JsonValue* member(std::string_view key) const;
};

// A named member of an object (a pair would need the value type complete where it is declared).
struct JsonMember {
    std::string key;
    JsonValue value;
};

// Nesting deeper than this is refused: a document that deep is no diagram, and the parser
// recurses once per level.
inline constexpr int kMaxJsonDepth = 64;

struct JsonParseResult {
    bool ok = false;
    JsonValue value;
    std::string error; // what is wrong and where ("line 3: ..."), when not ok
};

// Parses JSON text, also in the relaxed form people write by hand and that WaveJSON files use:
// unquoted member names, single-quoted strings, trailing commas, // and /* */ comments,
// hexadecimal and signed numbers. The text must be UTF-8; anything else is refused with the
// line where it goes wrong.
JsonParseResult parseJson(std::string_view text);

// The text as a JSON string literal, quotes included, with quotes, backslashes and control
// characters escaped.
std::string jsonQuoted(std::string_view text);

} // namespace sigmora::io
