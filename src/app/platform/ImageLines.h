#pragma once

#include <QPoint>

#include <cstdint>

namespace sigmora::app {

// Thin lines written straight into the pixels of a 32-bit image, on exactly the pixels Qt's
// raster painter gives a 1-pixel pen without antialiasing: each segment covers its pixels from
// its start up to, not including, its end; where a polyline turns, a pixel doubled with the
// segment before is left out, and one missing at a corner is added; turning back adds the end
// pixel; a line is clipped one pixel outside the image. Only single horizontal or vertical
// segments, and open polylines of them wholly on the image, are written here, dotted ones only
// as single segments (three pixels on, three off from the start); the caller leaves everything
// else to Qt.
class ImageLines {
public:
    ImageLines(std::uint32_t* pixels, int pixelsPerLine, int width, int height)
        : pixels_(pixels), pixelsPerLine_(pixelsPerLine), width_(width), height_(height)
    {
    }

    // Whether a polyline of these points can be written here.
    bool handles(const QPoint* points, int count, bool dotted) const;
    // Writes the polyline in the opaque colour 0xAARRGGBB.
    void polyline(const QPoint* points, int count, std::uint32_t colour, bool dotted);

private:
    struct Pixel {
        int x;
        int y;
        bool operator==(const Pixel&) const = default;
    };
    void segment(int x1, int y1, int x2, int y2);
    void run(int from, int to, int across, bool horizontal);
    void put(int x, int y)
    {
        if (x >= 0 && x < width_ && y >= 0 && y < height_)
            pixels_[static_cast<long>(y) * pixelsPerLine_ + x] = colour_;
    }

    std::uint32_t* pixels_;
    int pixelsPerLine_;
    int width_;
    int height_;
    std::uint32_t colour_ = 0;
    bool dotted_ = false;
    Pixel last_{};
    int lastDirection_ = 0;
};

} // namespace sigmora::app
