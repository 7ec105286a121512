#pragma once

#include <string_view>

#include "model/FontSpec.h"

namespace sigmora::model {

// Measures text outside painting: fitting the name column, sizing text boxes.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual int textWidth(std::string_view text, const FontSpec& font) const = 0;
    // Height of one line of text in the font (ascent plus descent).
    virtual int lineHeight(const FontSpec& font) const = 0;
    // The room the font asks between lines, outside the line height; none unless a measurer knows it.
    virtual int externalLeading(const FontSpec&) const { return 0; }
};

} // namespace sigmora::model
