#pragma once

#include <string>

#include "model/Diagram.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "render/FullRedraw.h"
#include "render/RecordingSurface.h"

namespace sigmora::test {

// A diagram drawn onto a recording surface, with helpers to add rows of given cells.
struct RenderFixture {
    model::Diagram diagram;
    render::RecordingSurface surface;
    render::RedrawOptions options;
    render::RedrawMemory memory;
    model::ReaderReport report;

    // The frame, shadow and logo are tested on their own; other tests see the diagram without them.
    RenderFixture()
    {
        diagram.settings.logoShown = 0;
        diagram.settings.boundingRectShown = 0;
        diagram.settings.dropShadow = 0;
    }

    // A signal row whose waveform is cells and whose ideal/arrow/differential fields are given.
    static std::string row(const std::string& name, const std::string& cells, int ideal = 0, int rising = 0,
                           int falling = 0, int differential = 0, int activeLow = 0)
    {
        return name + "\t\t\t\t\tDATA_0_." + cells + ".0." + std::to_string(ideal) + ".Arial.10." + std::to_string(rising) +
               "." + std::to_string(falling) + ".0.0.8421504.N/A.0.0.0." + std::to_string(differential) + "." +
               std::to_string(activeLow) + ".";
    }

    void add(const std::string& record) { diagram.store.signals().append(record); }

    // Only the waveforms: no period lines, no labels.
    void waveformsOnly()
    {
        diagram.settings.periodLineMode = 5;
        diagram.settings.cycleLabelsVisible = 0;
    }

    int draw(render::SvgWriter* svg = nullptr)
    {
        surface.clear();
        return render::fullRedraw(surface, diagram, options, memory, report, svg);
    }
};

} // namespace sigmora::test
