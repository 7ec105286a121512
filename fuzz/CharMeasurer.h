#pragma once

#include "model/TextMeasurer.h"

namespace sigmora::fuzz {

// Measures every character as 7 pixels wide, for harnesses whose readers size text boxes.
class CharMeasurer : public model::TextMeasurer {
public:
    int textWidth(std::string_view text, const model::FontSpec&) const override { return static_cast<int>(text.size()) * 7; }
    int lineHeight(const model::FontSpec&) const override { return 14; }
};

} // namespace sigmora::fuzz
