#pragma once

#include <algorithm>
#include <span>

#include "model/Diagram.h"
#include "model/ReaderReport.h"
#include "render/Layout.h"
#include "render/RedrawState.h"
#include "render/Surface.h"
#include "render/SvgWriter.h"
#include "render/TimingChecks.h"

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
    // The labels' measured times and the timing parameters held against them, once the
    // annotation layer has measured them.
    const std::vector<std::optional<long double>>* labelTimes = nullptr;
    const TimingReport* timing = nullptr;

    const model::DiagramSettings& settings() const { return diagram.settings; }
    bool printing() const { return options.printOffset > 0; }
    bool svgMain() const { return svg && svg->mainPass(); }
    bool svgArrowheads() const { return svg && svg->arrowheadPass(); }
    // Whether a label is drawn red for a violated timing parameter: on the screen, or in every
    // output when the diagram asks for it.
    bool labelRed(int label) const
    {
        return timing && timing->labelViolated(label) && (options.showViolations || diagram.extension.violationsInPictures);
    }

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
