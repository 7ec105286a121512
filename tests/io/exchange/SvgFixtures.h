#pragma once

#include <string>

#include "io/exchange/SvgDocument.h"
#include "model/Diagram.h"
#include "render/MeasuringSurface.h"
#include "support/FixedMeasurer.h"

namespace sigmora::test {

// The SVG document of a diagram with text measured at fixed widths.
inline std::string svgOf(const model::Diagram& diagram)
{
    const FixedMeasurer measurer;
    render::MeasuringSurface surface(measurer, {1920, 1080});
    model::ReaderReport report;
    return io::svgDocument(diagram, surface, render::RedrawOptions{}, report);
}

} // namespace sigmora::test
