#pragma once

#include <string>
#include <vector>

#include "model/Diagram.h"
#include "render/RedrawContext.h"

namespace sigmora::render {

// The table of timing parameters under the diagram: a header (Symbol, Description, Min, Typ,
// Max, Unit) and one line per parameter, in the font of the diagram's first row, framed and
// ruled. Its height is pure arithmetic on the font size, so the pictures can make room for it
// before anything is drawn.

// The texts of the table, the header first; limits as typed, empty where not given.
std::vector<std::vector<std::string>> parameterTableCells(const model::DiagramExtension& extension);

// Pixels the table adds under the rows (its gap above included); 0 while it is not shown.
int parameterTableHeight(const model::Diagram& diagram);

// Draws the table when the diagram's View option is set and it has parameters.
void drawParameterTable(RedrawContext& ctx);

} // namespace sigmora::render
