#pragma once

#include <optional>
#include <string_view>

#include "render/AnnotationHits.h"
#include "render/AnnotationPlacer.h"
#include "render/Pen.h"

namespace sigmora::render {

// Arrowhead codes of arrows and labels.
enum class HeadMode { End = 0, Begin = 1, Both = 2, None = 3 };

bool headAtEnd(int mode);
bool headAtBegin(int mode);

// An arrow record read for drawing. A record without its end (an arrow under construction)
// reads as nullopt.
struct ArrowRecord {
    AnnotationEnd begin;
    AnnotationEnd end;
    int headMode = 0;
    Colour colour = 0;
    ArrowStyle style = ArrowStyle::Bezier;
    bool bendRight = false;
};
std::optional<ArrowRecord> readArrow(std::string_view record, const AnnotationPlacer& placer);

// A label record read for drawing; nullopt while the label is under construction.
struct LabelRecord {
    AnnotationEnd begin;
    AnnotationEnd end;
    int headMode = 2;
    Colour colour = 0;
    int offset = 0;
    bool inward = false;
    int extensionLines = 0; // 0 both, 1 the begin line only, 2 the end line only
    bool crossingMarks = false;
};
std::optional<LabelRecord> readLabel(std::string_view record, const AnnotationPlacer& placer);

struct TimeBreakRecord {
    int cell = 0;
    int signalIndex = 0;
};
TimeBreakRecord readTimeBreak(std::string_view record, const AnnotationPlacer& placer);

} // namespace sigmora::render
