#pragma once

#include <string>
#include <string_view>

#include "io/exchange/ImportedRows.h"
#include "model/Diagram.h"

namespace sigmora::io {

// Comma-separated waveforms: one line a row, the name, a comma, and the cells.

// One line a row in list order: the name as stored, ", ", the whole waveform string. A name
// holding a comma or a double quote is written quoted ("a,b", with each quote inside doubled).
std::string csvDocument(const model::Diagram& diagram);

// Reads one plain signal a line into diagram, which must have just been reset: the name is a
// quoted name as csvDocument writes it, or else what stands before the first comma; the cells are
// the rest of the line without commas and blanks, padded to 600 with their last character ('1'
// for a line without cells). Empty lines are passed over; a final line without a comma is
// dropped. Cells past the first 601 characters are left out, and a note says so. A line without
// a comma before others, more than 256 rows, control characters or a '.' among the cells are
// answered as a problem, and the caller drops the partly read diagram.
ExchangeReadResult readCsvDiagram(std::string_view bytes, model::Diagram& diagram);

} // namespace sigmora::io
