#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sigmora::model {

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence (overlong forms,
// surrogates and values past U+10FFFF included), or npos when the whole text is UTF-8.
std::size_t invalidUtf8Offset(std::string_view text);

// Text for files that must be UTF-8: UTF-8 stays as it is; anything else is taken as Latin-1,
// the single-byte text older diagrams hold, and converted.
std::string asUtf8(std::string_view text);

// The code points of text read as asUtf8 reads it (UTF-8, else Latin-1).
std::u32string codePoints(std::string_view text);

// Appends code point cp in UTF-8.
void appendUtf8(std::string& out, unsigned cp);

} // namespace sigmora::model
