#include "render/AnnotationRecords.h"

#include "model/RecordFields.h"

namespace sigmora::render {

namespace {

namespace arrowfield {

constexpr int BeginCell = 0, BeginSignal = 1, EndCell = 2, EndSignal = 3, Head = 4, ColourField = 5, Style = 6, Bend = 7,
              BeginAnchor = 8, EndAnchor = 9, BeginX = 10, BeginY = 11, EndX = 12, EndY = 13;
}
namespace labelfield {
constexpr int BeginCell = 0, BeginSignal = 1, EndCell = 2, EndSignal = 3, Head = 4, ColourField = 5, Offset = 6,
              Inward = 7, Extension = 8, BeginAnchor = 9, EndAnchor = 10, Crossing = 11;
}
constexpr int kDefaultLabelHead = 2;

// Field n as a number; when the record does not hold the field, fallback.
int number(std::string_view record, int n, int fallback = 0)
{
    auto text = model::fields::textField(record, n);
    if (!text || (text->empty() && !model::fields::hasField(record, n)))
        return fallback;
    return model::fields::cAtoi(*text);
}

model::Colour colourField(std::string_view record, int n)
{
    auto text = model::fields::textField(record, n);
    return text ? model::fields::cAtoul(*text) & 0xFFFFFF : 0;
}

int signalField(std::string_view record, int n, const AnnotationPlacer& placer)
{
    return placer.signalIndexOf(model::fields::textField(record, n).value_or(std::string_view{}));
}

bool holdsEnd(std::string_view record, int endSignalField)
{
    return model::fields::hasField(record, endSignalField);
}

} // namespace

bool headAtEnd(int mode)
{
    return mode == static_cast<int>(HeadMode::End) || mode == static_cast<int>(HeadMode::Both);
}

bool headAtBegin(int mode)
{
    return mode == static_cast<int>(HeadMode::Begin) || mode == static_cast<int>(HeadMode::Both);
}

std::optional<ArrowRecord> readArrow(std::string_view r, const AnnotationPlacer& placer)
{
    using namespace arrowfield;
    if (!holdsEnd(r, EndSignal))
        return std::nullopt;
    ArrowRecord a;
    a.begin = {number(r, BeginCell), signalField(r, BeginSignal, placer), number(r, BeginAnchor),
               {number(r, BeginX), number(r, BeginY)}};
    a.end = {number(r, EndCell), signalField(r, EndSignal, placer), number(r, EndAnchor),
             {number(r, EndX), number(r, EndY)}};
    a.headMode = number(r, Head);
    a.colour = colourField(r, ColourField);
    const int style = number(r, Style);
    a.style = style == 1 ? ArrowStyle::Straight : style == 2 ? ArrowStyle::Angled : ArrowStyle::Bezier;
    a.bendRight = number(r, Bend) == 1;
    return a;
}

std::optional<LabelRecord> readLabel(std::string_view r, const AnnotationPlacer& placer)
{
    using namespace labelfield;
    if (!holdsEnd(r, EndSignal))
        return std::nullopt;
    LabelRecord l;
    // Labels have no stored positions: a floating anchor code sits in the middle.
    auto anchor = [&](int n) {
        const int a = number(r, n);
        return a == kAnchorFloating ? kAnchorMiddle : a;
    };
    l.begin = {number(r, BeginCell), signalField(r, BeginSignal, placer), anchor(BeginAnchor), {}};
    l.end = {number(r, EndCell), signalField(r, EndSignal, placer), anchor(EndAnchor), {}};
    l.headMode = number(r, Head, kDefaultLabelHead);
    l.colour = colourField(r, ColourField);
    l.offset = number(r, Offset);
    l.inward = number(r, Inward) == 1;
    l.extensionLines = number(r, Extension);
    l.crossingMarks = number(r, Crossing) == 1;
    return l;
}

TimeBreakRecord readTimeBreak(std::string_view r, const AnnotationPlacer& placer)
{
    return {number(r, 0), signalField(r, 1, placer)};
}

} // namespace sigmora::render
