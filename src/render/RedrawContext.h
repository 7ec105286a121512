#pragma once

#include "model/Diagram.h"
#include "model/ReaderReport.h"
#include "render/Layout.h"
#include "render/RedrawState.h"
#include "render/Surface.h"
#include "render/SvgWriter.h"

namespace sigmora::render {

// One run of the full redraw: the surface, the diagram and its geometry, and the SVG output.
struct RedrawContext {
    Surface& surface;
    const model::Diagram& diagram;
    Layout layout;
    const RedrawOptions& options;
    RedrawMemory& memory;
    SvgWriter* svg = nullptr;    // nullptr: no SVG output
    model::ReaderReport& report; // reader messages, shown by the caller after the redraw

    const model::DiagramSettings& settings() const { return diagram.settings; }
    bool printing() const { return options.printOffset > 0; }
    bool svgMain() const { return svg && svg->mainPass(); }
    bool svgArrowheads() const { return svg && svg->arrowheadPass(); }
};

} // namespace sigmora::render
