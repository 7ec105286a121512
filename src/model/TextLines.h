#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sigmora::model {

// Splits a name or message at each typed line break: the two characters backslash and n.
std::vector<std::string> splitNameLines(std::string_view text);

} // namespace sigmora::model
