#pragma once

namespace sigmora::render {

// The printer mapping: one logical unit is 1/96 inch. The window extent is 144000 / g and the
// viewport extent 1500 x dpi / g on both axes, g the greatest common divisor of the two.
struct PrintMapping {
    long long windowExtent = 1;
    long long viewportExtent = 1;

    static PrintMapping forDpi(int dpi);
    double scale() const { return static_cast<double>(viewportExtent) / static_cast<double>(windowExtent); }
};

// The margin printing adds to the name margin, the name column and the top margin: one third of
// an inch; text boxes move by twice it to the right and by it down.
inline constexpr int kPrintMargin = 32;

} // namespace sigmora::render
