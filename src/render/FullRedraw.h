#pragma once

#include "model/Diagram.h"
#include "model/ReaderReport.h"
#include "render/RedrawState.h"
#include "render/Surface.h"
#include "render/SvgWriter.h"

namespace sigmora::render {

inline constexpr int kEmptyDiagram = -1;

// The one routine that draws a whole diagram onto any surface, layer by layer. With an SVG writer
// whose pass is Main, every drawing element is also written as SVG, and the waveforms are drawn
// once more in the arrowhead pass. Answers kEmptyDiagram (after clearing the surface) when there
// are no rows, 0 otherwise. Reader messages are collected in report, never shown from here.
int fullRedraw(Surface& surface, const model::Diagram& diagram, const RedrawOptions& options, RedrawMemory& memory,
               model::ReaderReport& report, SvgWriter* svg = nullptr);

} // namespace sigmora::render
