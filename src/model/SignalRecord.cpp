#include "model/SignalRecord.h"

#include <array>

#include "model/RecordFields.h"

namespace sigmora::model {

namespace {

using fields::cAtoi;
using fields::cAtoul;

// The text of field n of a row's data part when the record holds it and it is not empty.
std::optional<std::string_view> present(std::string_view record, int n)
{
    auto field = fields::textField(fields::dataOfRow(record), n);
    if (!field || field->empty())
        return std::nullopt;
    return field;
}

int intOr(std::string_view record, int n, int fallback)
{
    auto f = present(record, n);
    return f ? cAtoi(*f) : fallback;
}

Colour colourOr(std::string_view record, int n, Colour fallback)
{
    auto f = present(record, n);
    return f ? cAtoul(*f) : fallback;
}

std::string textOr(std::string_view record, int n, std::string_view fallback)
{
    auto f = present(record, n);
    return std::string(f ? *f : fallback);
}

} // namespace

// The kind is told by the tag that opens the data part ("CLK_0_", "DATA_0_", "SEP_0"), never by text
// further on: a derivation expression such as "CLK AND en" or a font face naming "SEP" makes no clock
// or separator.
namespace {
bool kindTagStarts(std::string_view data, std::string_view kind)
{
    const std::string_view tag = data.substr(0, data.find(fields::kSeparator));
    return tag.substr(0, kind.size()) == kind;
}
} // namespace

bool isSeparatorData(std::string_view data)
{
    return kindTagStarts(data, "SEP");
}

bool isClockData(std::string_view data)
{
    return kindTagStarts(data, "CLK");
}

int rowKind(std::string_view record)
{
    return isSeparatorData(fields::dataOfRow(record)) ? kRowKindSeparator : kRowKindOther;
}

namespace signal {

std::string_view waveform(std::string_view record)
{
    return fields::textField(fields::dataOfRow(record), signalfield::Waveform).value_or(std::string_view{});
}
int delay(std::string_view record) { return intOr(record, signalfield::Delay, 0); }
int ideal(std::string_view record) { return intOr(record, signalfield::Ideal, 0); }
std::string fontFace(std::string_view record) { return textOr(record, signalfield::FontFace, kDefaultFace); }
int fontSize(std::string_view record) { return intOr(record, signalfield::FontSize, kDefaultNameSize); }
int risingArrows(std::string_view record) { return intOr(record, signalfield::RisingArrows, 0); }
int fallingArrows(std::string_view record) { return intOr(record, signalfield::FallingArrows, 0); }
Colour waveColour(std::string_view record) { return colourOr(record, signalfield::WaveColour, 0); }
Colour nameColour(std::string_view record) { return colourOr(record, signalfield::NameColour, 0); }
Colour hatchColour(std::string_view record) { return colourOr(record, signalfield::HatchColour, kGrey); }
std::string freeText(std::string_view record) { return textOr(record, signalfield::FreeText, kNotDerived); }
int locked(std::string_view record) { return intOr(record, signalfield::Locked, 0); }
int clockDivisor(std::string_view record) { return intOr(record, signalfield::ClockDivisor, kDefaultClockDivisor); }
int dutyCode(std::string_view record) { return intOr(record, signalfield::DutyCode, kDefaultDutyCode); }
int differential(std::string_view record) { return intOr(record, signalfield::Differential, 0); }
int activeLow(std::string_view record) { return intOr(record, signalfield::ActiveLow, 0); }

std::string withDataField(std::string_view record, int n, std::string_view value)
{
    std::string data = fields::withTextField(fields::dataOfRow(record), n, value);
    return fields::joinRow(fields::nameOfRow(record), data);
}

std::string withDataField(std::string_view record, int n, int value)
{
    return withDataField(record, n, std::to_string(value));
}

} // namespace signal

SignalRow parseSignalRow(std::string_view record)
{
    SignalRow row;
    row.name = fields::nameOfRow(record);
    row.data = fields::dataOfRow(record);
    row.separator = isSeparatorData(row.data);
    row.clock = isClockData(row.data);

    // Split the data part once; a field counts as present when it is not empty.
    constexpr int kFields = 17;
    std::array<std::string_view, kFields> f{};
    int count = 0;
    size_t begin = 0;
    std::string_view data = row.data;
    while (count < kFields && begin <= data.size()) {
        size_t end = data.find(fields::kSeparator, begin);
        if (end == std::string_view::npos) {
            f[static_cast<size_t>(count++)] = data.substr(begin);
            break;
        }
        f[static_cast<size_t>(count++)] = data.substr(begin, end - begin);
        begin = end + 1;
    }
    auto text = [&](int n) { return f[static_cast<size_t>(n)]; };
    auto num = [&](int n, int fallback) { return text(n).empty() ? fallback : cAtoi(text(n)); };
    auto colour = [&](int n) { return text(n).empty() ? Colour{0} : cAtoul(text(n)); };

    if (row.separator) {
        if (!text(separatorfield::FontFace).empty())
            row.fontFace = text(separatorfield::FontFace);
        row.separatorKind = num(separatorfield::Kind, 0);
        row.separatorLineColour = colour(separatorfield::LineColour);
        row.nameColour = colour(separatorfield::TextColour);
        return row;
    }
    row.waveform = text(signalfield::Waveform);
    row.delay = num(signalfield::Delay, 0);
    // Edges are slanted only while the ideal-edge flag is 0; arrows show while their flag is set.
    row.ideal = num(signalfield::Ideal, 0) != 0;
    if (!text(signalfield::FontFace).empty())
        row.fontFace = text(signalfield::FontFace);
    row.fontSize = num(signalfield::FontSize, kDefaultNameSize);
    row.risingArrows = num(signalfield::RisingArrows, 0) != 0;
    row.fallingArrows = num(signalfield::FallingArrows, 0) != 0;
    row.waveColour = colour(signalfield::WaveColour);
    row.nameColour = colour(signalfield::NameColour);
    row.differential = num(signalfield::Differential, 0) == 1;
    row.activeLow = num(signalfield::ActiveLow, 0) == 1;
    return row;
}

} // namespace sigmora::model
