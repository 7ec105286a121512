#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Colour.h"
#include "model/FontSpec.h"
#include "model/TextMeasurer.h"

namespace sigmora::edit {

// Every field of a text-box record, read with the defaults a missing field has.
struct TextBoxValues {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    std::string message;    // as stored: periods as the period marker, line breaks as backslash-n
    std::string attachment; // a row name, "SigmoraNone" or "WFLabel*n*"
    model::Colour colour = 0;
    std::string face = "Arial";
    int size = 8;
    int dragX = 0;
    int dragY = 0;
    int justification = 0;
    int outline = 0;
    int bold = 0;
    int italic = 0;
    int underline = 0;

    static TextBoxValues read(std::string_view record);
    // The record text: 16 fields, the colour written with "%6.0f", each field followed by '.'.
    std::string write() const;

    model::FontSpec font() const;
    bool isLabelCaption() const;
};

// The lines of a stored message as they are shown: periods back as '.', split at backslash-n.
std::vector<std::string> displayLines(std::string_view storedMessage);

// The box a stored message needs in a font: the widest line and the lines' total height.
struct TextExtent {
    int width = 0;
    int height = 0;
};
TextExtent measureMessage(const model::TextMeasurer& measurer, std::string_view storedMessage,
                          const model::FontSpec& font);

} // namespace sigmora::edit
