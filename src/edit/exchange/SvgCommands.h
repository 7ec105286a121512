#pragma once

#include <string>

namespace sigmora::edit {

class Session;

// "Scalable Vector Graphics  (svg)..." (export), "Sigmora SVG..." (import) and the SVG output
// settings ("Edit Output Settings...").
void registerSvgCommands(Session& session);

// The SVG document of the diagram as the view shows it (scroll included); empty without rows.
std::string svgDocumentOfView(Session& session);

} // namespace sigmora::edit
