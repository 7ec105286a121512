#include "render/MeasuredLabels.h"

#include <algorithm>
#include <cmath>

namespace sigmora::render {

std::optional<long double> endTimeFs(const AnnotationEnd& end, const AnnotationPlacer& placer, const TimeAxis& axis)
{
    if (end.anchor == kAnchorFloating)
        return axis.atX(static_cast<long double>(end.stored.x) - placer.layout().waveOriginX());
    if (!placer.timedRow(end.signalIndex))
        return std::nullopt;
    return axis.changeFs(end.cell, placer.edgeDelay(end.signalIndex, end.cell));
}

std::optional<long double> labelTimeFs(const LabelRecord& label, const AnnotationPlacer& placer, const TimeAxis& axis)
{
    const auto begin = endTimeFs(label.begin, placer, axis);
    const auto end = endTimeFs(label.end, placer, axis);
    if (!begin || !end)
        return std::nullopt;
    return std::fabs(*end - *begin);
}

TimeAxis timeAxisOf(const model::Diagram& diagram, const Layout& layout)
{
    return {model::timeBaseFs(diagram.extension), std::max(1, layout.cellWidth)};
}

std::vector<std::optional<long double>> measureLabels(const model::Diagram& diagram, const AnnotationPlacer& placer)
{
    const TimeAxis axis = timeAxisOf(diagram, placer.layout());
    const model::RecordList& labels = diagram.store.list(model::ListId::Labels);
    std::vector<std::optional<long double>> out(static_cast<size_t>(labels.count()));
    for (int i = 0; i < labels.count(); ++i)
        if (const auto label = readLabel(labels.get(i), placer))
            out[static_cast<size_t>(i)] = labelTimeFs(*label, placer, axis);
    return out;
}

bool holdsMeasuredField(std::string_view caption)
{
    return caption.find(kMeasuredField) != std::string_view::npos;
}

std::string measuredCaption(std::string_view caption, const std::optional<long double>& fs)
{
    const std::string value = fs ? timeText(*fs) : std::string(kNoMeasure);
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = caption.find(kMeasuredField, from)) != std::string_view::npos; from = at + kMeasuredField.size()) {
        out.append(caption.substr(from, at - from));
        out += value;
    }
    out.append(caption.substr(from));
    return out;
}

} // namespace sigmora::render
