#pragma once

#include <string>
#include <string_view>

#include "model/Diagram.h"

namespace sigmora::edit {

// Cell values of a waveform string.
inline constexpr char kLow = '0';
inline constexpr char kHigh = '1';
inline constexpr char kTriState = '2';
inline constexpr char kPhaseA = '3';
inline constexpr char kPhaseB = '4';

// A row the cell tools and commands may change: not a separator and not locked.
bool rowEditable(std::string_view record);
// A row that still carries the legacy bus digit ("DATA_1_"): the draw tool swaps bus phases on it.
bool legacyBus(std::string_view record);

// Column k of a waveform is character k + 1; character 0 is the level entering column 0. Writes
// v at column k, and at character 0 too when k is 0. Nothing is written outside the string.
bool writeColumn(std::string& wave, int column, char v);
// Writes v at character position p when the string has it.
bool writeChar(std::string& wave, int position, char v);
// The character at column k, or 0 outside the string.
char columnValue(std::string_view wave, int column);

// The row's record rewritten in place with a new waveform, and the row selected in its list.
void storeWaveform(model::Diagram& diagram, int row, std::string_view wave);
std::string waveformOf(const model::Diagram& diagram, int row);

} // namespace sigmora::edit
