#pragma once

#include <string>

namespace sigmora::model {

// A font as the drawing and measuring code asks for it. pixelSize is the em height in pixels.
struct FontSpec {
    std::string face = "Arial";
    int pixelSize = 13;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec&) const = default;

    // A point size on the 96-pixels-per-inch screen, rounded as the screen font mapping does.
    static int pixelsForPoints(int points) { return (points * 96 + (points >= 0 ? 36 : -36)) / 72; }
    static FontSpec fromPoints(std::string face, int points)
    {
        FontSpec f;
        f.face = std::move(face);
        f.pixelSize = pixelsForPoints(points);
        return f;
    }
};

} // namespace sigmora::model
