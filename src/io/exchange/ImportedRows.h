#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sigmora::io {

// What the waveform exchange readers (XML, comma-separated) share: the limits every row keeps,
// the record of a plain imported signal and the answer of a read.

// A waveform holds the level that enters the first cell and one character a cell: at most 601
// characters; a longer one read from a file keeps its first 601. Shorter comma-separated rows
// are padded to kPaddedWaveformLength.
inline constexpr std::size_t kMaxWaveformLength = 601;
inline constexpr std::size_t kPaddedWaveformLength = 600;

// The answer of an exchange reader: empty problem when the file was read; notes say, one
// sentence each, what of it was left out.
struct ExchangeReadResult {
    std::string problem;
    std::vector<std::string> notes;
    bool ok() const { return problem.empty(); }
};

// The note of a read that cut the cells past the 600th, naming the first row cut (as shown).
std::string cutCellsNote(std::string_view firstRowCut);

// A plain signal row: the name, the five tabs, then the cells with every other attribute at its
// default (delay 0, face "Arial" size 10, no arrows, black, grey hatch, not derived, unlocked).
// withFlags adds the differential and active-low fields.
std::string plainSignalRecord(std::string_view name, std::string_view cells, bool withFlags);

// True when text holds a character that cannot stand in a record: a control character, or for
// a waveform also the field separator.
bool hasControlCharacter(std::string_view text);
bool unfitForWaveform(std::string_view cells);

} // namespace sigmora::io
