#pragma once

#include <algorithm>
#include <span>

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

    // On a screen image that culls (no SVG, no print), whether a shape lying within the
    // bounding box of points grown by margin is wholly outside the image: it need not be drawn
    // (its handles and paths are still kept for the mouse).
    bool offSurface(std::span<const Point> points, int margin) const
    {
        if (!options.cullOffSurface || svg || printing() || points.empty())
            return false;
        long long left = points[0].x, right = left, top = points[0].y, bottom = top;
        for (const Point& p : points) {
            left = std::min<long long>(left, p.x);
            right = std::max<long long>(right, p.x);
            top = std::min<long long>(top, p.y);
            bottom = std::max<long long>(bottom, p.y);
        }
        const Size s = surface.size();
        return right + margin < 0 || bottom + margin < 0 || left - margin > s.width || top - margin > s.height;
    }
};

} // namespace sigmora::render
