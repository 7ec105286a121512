#pragma once

#include "model/TextMeasurer.h"

namespace sigmora::app {

// Measures text with Qt's font metrics, the same fonts the screen surface draws with.
class QtTextMeasurer : public model::TextMeasurer {
public:
    int textWidth(std::string_view text, const model::FontSpec& font) const override;
    int lineHeight(const model::FontSpec& font) const override;
    int externalLeading(const model::FontSpec& font) const override;
};

} // namespace sigmora::app
