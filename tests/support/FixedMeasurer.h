#pragma once

#include "model/TextMeasurer.h"

namespace sigmora::test {

// Measures every character as charWidth pixels wide.
class FixedMeasurer : public model::TextMeasurer {
public:
    explicit FixedMeasurer(int charWidth = 7) : charWidth_(charWidth) {}
    int textWidth(std::string_view text, const model::FontSpec&) const override
    {
        return static_cast<int>(text.size()) * charWidth_;
    }
    int lineHeight(const model::FontSpec&) const override { return 16; }
    int externalLeading(const model::FontSpec&) const override { return leading; }

    int leading = 0; // the external leading every font reports

private:
    int charWidth_;
};

} // namespace sigmora::test
