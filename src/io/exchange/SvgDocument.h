#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/Diagram.h"
#include "model/ReaderReport.h"
#include "render/RedrawState.h"
#include "render/Surface.h"

namespace sigmora::io {

// The line that marks an SVG document as one this program wrote; it lies within the first 200
// bytes of the document, where SVG import looks for it.
inline constexpr std::string_view kSvgMarker = "<!-- KVTAG -->";
inline constexpr std::string_view kSvgEnd = "</svg>\n";

// The opening of the document: XML declaration, creation comment, marker line, the svg element
// sized for the diagram and, when the SVG scale is not 1, the group that scales the drawing.
// extraHeight: what the drawing adds under the rows (the parameter table).
std::string svgHeader(const model::DiagramSettings& settings, int signalCount, int extraHeight = 0);

// The whole SVG document of a diagram: the header, the drawing that the full redraw writes while
// drawing onto surface (which only has to measure text), the data comments and the closing tag.
// An empty diagram has no drawing and gives an empty text.
std::string svgDocument(const model::Diagram& diagram, render::Surface& surface, const render::RedrawOptions& options,
                        model::ReaderReport& report);
// The same document handed to sink in blocks of about a megabyte, in order, for writing a large
// diagram's document to a file without holding it whole; the bytes are those of svgDocument.
void writeSvgDocument(const model::Diagram& diagram, render::Surface& surface, const render::RedrawOptions& options,
                      model::ReaderReport& report, const std::function<bool(std::string_view)>& sink);

} // namespace sigmora::io
