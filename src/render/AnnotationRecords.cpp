#include "render/AnnotationRecords.h"

#include <array>

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

// A record cut into its fields once: readers ask for a dozen fields of each of hundreds of
// records on every redraw. Fields past the first kKept are looked up in the record itself.
class Fields {
public:
    explicit Fields(std::string_view record) : record_(record)
    {
        size_t begin = 0;
        for (;;) {
            const size_t end = record.find(model::fields::kSeparator, begin);
            if (kept_ < kKept)
                fields_[kept_++] = record.substr(begin, end == std::string_view::npos ? end : end - begin);
            if (end == std::string_view::npos)
                break;
            ++separators_;
            begin = end + 1;
        }
    }

    // Field n, when the record reaches it (n separators before it).
    std::optional<std::string_view> text(int n) const
    {
        if (n < 0 || n > separators_)
            return std::nullopt;
        return n < kept_ ? fields_[static_cast<size_t>(n)] : model::fields::textField(record_, n);
    }
    // Whether field n is followed by a separator.
    bool holds(int n) const { return n >= 0 && separators_ > n; }

private:
    static constexpr int kKept = 24;
    std::string_view record_;
    std::array<std::string_view, kKept> fields_{};
    int kept_ = 0;
    int separators_ = 0;
};

// Field n as a number; when the record does not hold the field, fallback.
int number(const Fields& record, int n, int fallback = 0)
{
    auto text = record.text(n);
    if (!text || (text->empty() && !record.holds(n)))
        return fallback;
    return model::fields::cAtoi(*text);
}

model::Colour colourField(const Fields& record, int n)
{
    auto text = record.text(n);
    return text ? model::fields::cAtoul(*text) & 0xFFFFFF : 0;
}

int signalField(const Fields& record, int n, const AnnotationPlacer& placer)
{
    return placer.signalIndexOf(record.text(n).value_or(std::string_view{}));
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

std::optional<ArrowRecord> readArrow(std::string_view record, const AnnotationPlacer& placer)
{
    using namespace arrowfield;
    const Fields r(record);
    if (!r.holds(EndSignal))
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

std::optional<LabelRecord> readLabel(std::string_view record, const AnnotationPlacer& placer)
{
    using namespace labelfield;
    const Fields r(record);
    if (!r.holds(EndSignal))
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

TimeBreakRecord readTimeBreak(std::string_view record, const AnnotationPlacer& placer)
{
    const Fields r(record);
    return {number(r, 0), signalField(r, 1, placer)};
}

} // namespace sigmora::render
