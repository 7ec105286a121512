#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sigmora::model {

// Splits a name or message at each typed line break: the two characters backslash and n.
std::vector<std::string> splitNameLines(std::string_view text);

// A stored name or message as one line of UTF-8 text, as plain-text outputs show it: stored
// periods back as periods, each line break as a blank, single-byte text converted.
std::string singleLineText(std::string_view stored);

} // namespace sigmora::model
