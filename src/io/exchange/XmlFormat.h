#pragma once

#include <string>
#include <string_view>

#include "io/exchange/ImportedRows.h"
#include "model/Diagram.h"

namespace sigmora::io {

// The XML exchange file: one signal element a row with its name and cells, and under it the text
// boxes, flood fills and time breaks attached to that row, one element a line.

// The document of a diagram. Names, cells and messages are written as UTF-8 (single-byte text
// of older diagrams converted) and escaped (& < > "), so every file written is well-formed XML;
// readXmlDiagram turns the escapes back.
std::string xmlDocument(const model::Diagram& diagram);

// Reads an XML exchange file into diagram, which must have just been reset (its settings place
// the text boxes; a text's cycle may be negative, as the export writes it for a text in the name
// column). A waveform longer than 601 characters keeps its first 601, the floods, time breaks and
// texts on the cells left out are left out with them, and a note says so. Any problem (a row past
// 256, a cycle outside the diagram, control characters, an endless tag, more records than any
// diagram holds) is answered and leaves the diagram partly read: the caller drops it.
ExchangeReadResult readXmlDiagram(std::string_view bytes, model::Diagram& diagram);

// XML escapes of & < > " and back (the five named references and numeric ones).
std::string xmlEscaped(std::string_view text);
std::string xmlUnescaped(std::string_view text);

} // namespace sigmora::io
