#include "edit/annotations/TextBoxValues.h"

#include <algorithm>

#include "model/RecordFields.h"
#include "model/TextBoxRecord.h"
#include "model/TextCase.h"
#include "model/TextLines.h"

namespace sigmora::edit {

namespace {

constexpr std::string_view kLabelCaptionPrefix = "WFLabel*";

std::string text(std::string_view record, int n)
{
    return std::string(model::fields::textField(record, n).value_or(std::string_view{}));
}

int number(std::string_view record, int n)
{
    return model::fields::cAtoi(model::fields::textField(record, n).value_or(std::string_view{}));
}

} // namespace

TextBoxValues TextBoxValues::read(std::string_view record)
{
    using namespace model::textfield;
    TextBoxValues v;
    v.left = number(record, Left);
    v.top = number(record, Top);
    v.right = number(record, Right);
    v.bottom = number(record, Bottom);
    v.message = text(record, Message);
    v.attachment = text(record, Attachment);
    v.colour = model::textbox::colour(record);
    v.face = model::textbox::fontFace(record);
    v.size = model::textbox::fontSize(record);
    v.dragX = number(record, DragX);
    v.dragY = number(record, DragY);
    v.justification = number(record, Justification);
    v.outline = number(record, Outline);
    v.bold = number(record, Bold);
    v.italic = number(record, Italic);
    v.underline = number(record, Underline);
    return v;
}

std::string TextBoxValues::write() const
{
    auto n = [](int v) { return std::to_string(v) + "."; };
    return n(left) + n(top) + n(right) + n(bottom) + message + "." + attachment + "." +
           model::textbox::formatColour(colour) + "." + face + "." + n(size) + n(dragX) + n(dragY) +
           n(justification) + n(outline) + n(bold) + n(italic) + n(underline);
}

model::FontSpec TextBoxValues::font() const
{
    model::FontSpec f = model::FontSpec::fromPoints(face, size);
    f.bold = bold != 0;
    f.italic = italic != 0;
    f.underline = underline != 0;
    return f;
}

bool TextBoxValues::isLabelCaption() const
{
    return model::startsWithIgnoringCase(attachment, kLabelCaptionPrefix);
}

std::vector<std::string> displayLines(std::string_view storedMessage)
{
    return model::splitNameLines(model::fields::decodePeriods(storedMessage));
}

TextExtent measureMessage(const model::TextMeasurer& measurer, std::string_view storedMessage,
                          const model::FontSpec& font)
{
    const std::vector<std::string> lines = displayLines(storedMessage);
    TextExtent extent;
    for (const std::string& line : lines)
        extent.width = std::max(extent.width, measurer.textWidth(line, font));
    extent.height = static_cast<int>(std::max<size_t>(lines.size(), 1)) * measurer.lineHeight(font);
    return extent;
}

} // namespace sigmora::edit
