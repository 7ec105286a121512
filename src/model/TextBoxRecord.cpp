#include "model/TextBoxRecord.h"

#include <cstdio>

#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::model::textbox {

namespace {

// The text of field n, reporting `problem` when the separator that ends it is missing.
std::string_view reported(std::string_view record, int n, std::string_view problem, ReaderReport& report)
{
    if (!fields::hasField(record, n))
        report.add(std::string(problem));
    return fields::textField(record, n).value_or(std::string_view{});
}

std::optional<std::string_view> present(std::string_view record, int n)
{
    auto f = fields::textField(record, n);
    if (!f || f->empty())
        return std::nullopt;
    return f;
}

} // namespace

int left(std::string_view record, ReaderReport& report)
{
    return fields::cAtoi(reported(record, textfield::Left, record, report));
}

int top(std::string_view record, ReaderReport& report)
{
    return fields::cAtoi(reported(record, textfield::Top, "can't find", report));
}

int right(std::string_view record, ReaderReport& report)
{
    return fields::cAtoi(reported(record, textfield::Right, "can't find text width", report));
}

int bottom(std::string_view record, ReaderReport& report)
{
    return fields::cAtoi(reported(record, textfield::Bottom, "can't find text height", report));
}

std::string message(std::string_view record, ReaderReport& report)
{
    return std::string(reported(record, textfield::Message, "can't find text message", report));
}

Colour colour(std::string_view record)
{
    auto f = present(record, textfield::Colour);
    return f ? fields::cAtoul(*f) : 0;
}

std::string fontFace(std::string_view record)
{
    auto f = present(record, textfield::FontFace);
    return std::string(f ? *f : kDefaultFace);
}

int fontSize(std::string_view record)
{
    auto f = present(record, textfield::FontSize);
    return f ? fields::cAtoi(*f) : kDefaultTextSize;
}

std::string formatColour(Colour colour)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%6.0f", static_cast<double>(colour));
    return buffer;
}

} // namespace sigmora::model::textbox
