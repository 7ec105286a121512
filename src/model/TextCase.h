#pragma once

#include <string>
#include <string_view>

namespace sigmora::model {

// ASCII case-insensitive comparisons, as the record searches use them.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool containsIgnoringCase(std::string_view text, std::string_view part);
// Leading and trailing blanks (spaces and tabs) removed.
std::string_view trimBlanks(std::string_view text);

} // namespace sigmora::model
