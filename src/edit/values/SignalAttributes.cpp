#include "edit/values/SignalAttributes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "edit/values/RowNames.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextCase.h"

namespace sigmora::edit {

namespace {

namespace fields = model::fields;

constexpr int kDelayHeadroom = 10;
constexpr std::array<double, kDutyChoices> kDutyFactors = {0.6, 0.45, 0.3, 0.15, 0, -0.15, -0.3, -0.45, -0.6};
constexpr std::string_view kLineBreak = "\\n";

// Text fields must not hold the field separator or characters that break a record.
std::string fieldSafe(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '.' || c == '\t' || c == '\n' || c == '\r')
            continue;
        out += c;
    }
    return out;
}

bool plainFieldText(std::string_view text)
{
    return std::none_of(text.begin(), text.end(), [](char c) { return c == '.' || c == '\t' || c == '\n' || c == '\r'; });
}

// The legacy flag digit of a row's kind tag: the character after the first underscore.
char legacyDigit(std::string_view record)
{
    std::string_view kind = fields::textField(fields::dataOfRow(record), model::signalfield::Kind).value_or("");
    const size_t underscore = kind.find('_');
    if (underscore == std::string_view::npos || underscore + 1 >= kind.size())
        return '0';
    return kind[underscore + 1] != '0' ? '1' : '0';
}

const char* flag(bool on) { return on ? "1" : "0"; }

} // namespace

SignalAttributes readSignalAttributes(const model::Diagram& diagram, int row)
{
    namespace sig = model::signal;
    const model::RecordList& rows = diagram.store.signals();
    const std::string& record = rows.get(row);
    SignalAttributes v;
    v.name = fields::decodePeriods(fields::nameOfRow(record));
    v.nameAtOpening = v.name;
    v.delayText = std::string(fields::textField(fields::dataOfRow(record), model::signalfield::Delay).value_or("0"));
    v.ideal = sig::ideal(record) == 1;
    v.fontFace = sig::fontFace(record);
    v.fontSize = sig::fontSize(record);
    v.risingArrows = sig::risingArrows(record) == 1;
    v.fallingArrows = sig::fallingArrows(record) == 1;
    v.signalColour = sig::waveColour(record);
    v.fontColour = sig::nameColour(record);
    v.invalidColour = sig::hatchColour(record);
    v.expression = fields::decodePeriods(sig::freeText(record));
    v.locked = sig::locked(record) == 1;
    v.clockFrequency = sig::clockDivisor(record);
    v.clockDuty = sig::dutyCode(record);
    v.differential = sig::differential(record) == 1;
    v.activeLow = sig::activeLow(record) == 1;
    v.isClock = model::isClockData(fields::dataOfRow(record));
    v.rowIndex = row;
    v.cellWidth = diagram.settings.cellWidth;
    for (const std::string& r : rows.records())
        v.rowNames.push_back(fields::decodePeriods(fields::nameOfRow(r)));
    return v;
}

std::string clampedDelayText(std::string_view text, int cellWidth)
{
    const int value = fields::cAtoi(text);
    if (value == 0)
        return std::string(text);
    return std::to_string(std::max(std::min(value, cellWidth - kDelayHeadroom), 0));
}

bool nameTakenByOtherRow(const SignalAttributes& values, std::string_view name)
{
    for (size_t i = 0; i < values.rowNames.size(); ++i) {
        if (static_cast<int>(i) != values.rowIndex && sameRowName(values.rowNames[i], name))
            return true;
    }
    return false;
}

std::string storedRowName(std::string_view shownName)
{
    std::string name;
    for (char c : model::trimBlanks(shownName)) {
        if (c == '\t')
            name += ' ';
        else if (c == '\n')
            name += kLineBreak;
        else if (c != '\r')
            name += c;
    }
    return fields::encodePeriods(name);
}

std::string buildSignalRecord(std::string_view oldRecord, const SignalAttributes& v)
{
    const std::string delay = plainFieldText(v.delayText) ? v.delayText : std::string("0");
    std::string data = v.isClock ? "CLK_" : "DATA_";
    data += legacyDigit(oldRecord);
    data += "_.";
    data += model::signal::waveform(oldRecord);
    data += "." + delay;
    data += std::string(".") + flag(v.ideal);
    data += "." + fieldSafe(v.fontFace);
    data += "." + std::to_string(v.fontSize);
    data += std::string(".") + flag(v.risingArrows) + "." + flag(v.fallingArrows);
    data += "." + std::to_string(v.signalColour) + "." + std::to_string(v.fontColour) + "." +
            std::to_string(v.invalidColour);
    const std::string expression = fieldSafe(fields::encodePeriods(v.expression));
    data += "." + (expression.empty() ? std::string(model::kNotDerived) : expression);
    data += std::string(".") + flag(v.locked);
    data += "." + std::to_string(v.isClock ? v.clockFrequency : 0);
    data += "." + std::to_string(v.isClock ? v.clockDuty : 0);
    data += std::string(".") + flag(v.differential) + "." + flag(v.activeLow) + ".";
    return fields::joinRow(storedRowName(v.name), data);
}

std::string clockWaveform(int frequency)
{
    const size_t k = static_cast<size_t>(std::clamp(frequency, 1, kMaxClockFrequency));
    std::string cells(1, '0');
    while (cells.size() < static_cast<size_t>(model::kMaxCells)) {
        const char level = ((cells.size() - 1) / k) % 2 == 0 ? '1' : '0';
        cells += level;
    }
    return cells;
}

int truncatedProduct(double factor, int width)
{
    const double w = static_cast<double>(width);
    const double p = factor * w;
    // The rounding error of the product tells on which side of p the exact value lies.
    const double error = std::fma(factor, w, -p);
    double t = std::trunc(p);
    if (t == p && p > 0 && error < 0)
        t -= 1;
    else if (t == p && p < 0 && error > 0)
        t += 1;
    return static_cast<int>(t);
}

void writeDutyOffsets(model::CellGrid& offsets, int row, int duty, int cellWidth)
{
    offsets.clearRow(row);
    const double f = kDutyFactors[static_cast<size_t>(std::clamp(duty, 1, kDutyChoices) - 1)];
    const int lead = truncatedProduct(-f, cellWidth);
    const int trail = truncatedProduct(f, cellWidth);
    for (int j = 0; j + 1 < model::kMaxCells; j += 2) {
        offsets.set(row, j, lead);
        offsets.set(row, j + 1, trail);
    }
}

} // namespace sigmora::edit
