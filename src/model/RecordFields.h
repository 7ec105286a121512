#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sigmora::model {

// Field access on records: fields are separated by '.', counted from the start of the text.
namespace fields {

inline constexpr char kSeparator = '.';
inline constexpr std::string_view kPeriodMarker = "~QorWFPeriod~";
inline constexpr int kNameTabs = 5;

int countSeparators(std::string_view text);

// C library conversions: atoi (leading blanks, sign, digits, stops at anything else; 0 when none)
// and the unsigned conversion used for colours.
int cAtoi(std::string_view text);
std::uint32_t cAtoul(std::string_view text);

// True when field n is followed by its separator, i.e. the record really holds that field.
bool hasField(std::string_view text, int n);
// Text of field n: after the n-th separator up to the next one or the end; nullopt when the text
// has fewer than n separators.
std::optional<std::string_view> textField(std::string_view text, int n);
// atoi of field n, or -1 when the text has fewer than n separators.
int intField(std::string_view text, int n);
// The record with field n replaced; unchanged when the text has fewer than n separators.
std::string withTextField(std::string_view text, int n, std::string_view value);
std::string withIntField(std::string_view text, int n, int value);

// A signal row is its name, five tab characters, then its data part.
std::string_view nameOfRow(std::string_view record);
std::string_view dataOfRow(std::string_view record);
// Rebuilds a row record from a name and a data part.
std::string joinRow(std::string_view name, std::string_view data);

// Free text keeps '.' out of the fields: every '.' is stored as the period marker.
std::string encodePeriods(std::string_view text);
std::string decodePeriods(std::string_view text);

} // namespace fields
} // namespace sigmora::model
