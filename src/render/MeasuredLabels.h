#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/AnnotationPlacer.h"
#include "render/AnnotationRecords.h"
#include "render/TimeAxis.h"

namespace sigmora::render {

// The field a label's caption may hold: the drawing shows the label's measured time in its place.
inline constexpr std::string_view kMeasuredField = "{t}";
// What the field shows for a label that has no time (an end on a separator or on no row).
inline constexpr std::string_view kNoMeasure = "?";

// The time of one end of a label, counted as the exports count the change it sits on: the
// column of its cell and the edge offsets of its row (the time axis's rule). An end on a slanted
// edge counts where the slant starts, as the exports put the change, whatever height its anchor
// sits at on the slant; a floating end counts at its stored x. Nothing for an end on a separator
// or on a row that does not exist.
std::optional<long double> endTimeFs(const AnnotationEnd& end, const AnnotationPlacer& placer, const TimeAxis& axis);

// The time between a label's two ends (never negative), or nothing when an end has no time.
std::optional<long double> labelTimeFs(const LabelRecord& label, const AnnotationPlacer& placer, const TimeAxis& axis);

// The measured time of every label of the diagram, by index (nothing for a label under
// construction or without time).
std::vector<std::optional<long double>> measureLabels(const model::Diagram& diagram, const AnnotationPlacer& placer);

// The time axis of a diagram drawn in a layout: its time base and the layout's cell width.
TimeAxis timeAxisOf(const model::Diagram& diagram, const Layout& layout);

// A caption with every field replaced by the measured time ("?" without one).
std::string measuredCaption(std::string_view caption, const std::optional<long double>& fs);
bool holdsMeasuredField(std::string_view caption);

} // namespace sigmora::render
