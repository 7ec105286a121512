#include "app/platform/ImageLines.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <utility>

namespace sigmora::app {

namespace {

// Directions of travel, as bits: turning back is the other bit of the same pair.
constexpr int kNoDirection = 0;
constexpr int kTopToBottom = 0x1;
constexpr int kBottomToTop = 0x2;
constexpr int kLeftToRight = 0x4;
constexpr int kRightToLeft = 0x8;
constexpr int kVertical = 0x3;
constexpr int kHorizontal = 0xC;

constexpr int kDotOn = 3;     // a dotted line: three pixels on,
constexpr int kDotPeriod = 6; // three off

} // namespace

bool ImageLines::handles(const QPoint* points, int count, bool dotted) const
{
    // A polyline ending where it began starts from what its last segment left, and the corners
    // of one reaching off the image follow its clipping: both are left to Qt. A single segment
    // has no corners and is clipped here.
    if (count < 2 || (dotted && count != 2) || points[0] == points[count - 1])
        return false;
    if (count > 2)
        for (int i = 0; i < count; ++i)
            if (points[i].x() < 0 || points[i].x() >= width_ || points[i].y() < 0 || points[i].y() >= height_)
                return false;
    for (int i = 1; i < count; ++i) {
        const QPoint d = points[i] - points[i - 1];
        if ((d.x() != 0) == (d.y() != 0)) // slanted, or no length
            return false;
    }
    return true;
}

void ImageLines::polyline(const QPoint* points, int count, std::uint32_t colour, bool dotted)
{
    colour_ = colour;
    dotted_ = dotted;
    last_ = {INT_MIN, INT_MIN};
    lastDirection_ = kNoDirection;
    for (int i = 1; i < count; ++i)
        segment(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y());
}

// Clips the segment to one pixel around the image; a clipped end forgets the last pixel.
void ImageLines::segment(int x1, int y1, int x2, int y2)
{
    const int xmin = -1, xmax = width_ + 1, ymin = -1, ymax = height_ + 1;
    const bool horizontal = y1 == y2;
    if (x1 < xmin) {
        if (x2 <= xmin) {
            last_.x = -1;
            return;
        }
        x1 = xmin;
    } else if (x1 > xmax) {
        if (x2 >= xmax) {
            last_.x = -1;
            return;
        }
        x1 = xmax;
    }
    if (x2 < xmin) {
        last_.x = -1;
        x2 = xmin;
    } else if (x2 > xmax) {
        last_.x = -1;
        x2 = xmax;
    }
    if (y1 < ymin) {
        if (y2 <= ymin) {
            last_.x = -1;
            return;
        }
        y1 = ymin;
    } else if (y1 > ymax) {
        if (y2 >= ymax) {
            last_.x = -1;
            return;
        }
        y1 = ymax;
    }
    if (y2 < ymin) {
        last_.x = -1;
        y2 = ymin;
    } else if (y2 > ymax) {
        last_.x = -1;
        y2 = ymax;
    }
    if (horizontal)
        run(x1, x2, y1, true);
    else
        run(y1, y2, x1, false);
}

// One segment from 'from' to 'to' along its axis, at 'across' on the other.
void ImageLines::run(int from, int to, int across, bool horizontal)
{
    const bool backwards = from > to;
    const int direction = horizontal ? (backwards ? kRightToLeft : kLeftToRight) : (backwards ? kBottomToTop : kTopToBottom);
    const int pair = horizontal ? kHorizontal : kVertical;
    int lo = backwards ? to : from;
    int hi = backwards ? from : to; // one past the last pixel
    // Turning straight back takes the turning pixel in as well.
    if ((lastDirection_ ^ pair) == direction && backwards)
        ++hi;
    auto at = [&](int along) { return horizontal ? Pixel{along, across} : Pixel{across, along}; };
    Pixel first = at(lo), last = at(hi - 1);
    if (backwards)
        std::swap(first, last);
    if (last_.x >= 0) {
        if (first == last_) { // drawn already by the segment before
            if (backwards)
                --hi;
            else
                ++lo;
        } else if (lastDirection_ != direction &&
                   ((last_.x != first.x && last_.y != first.y) || std::abs(last_.x - first.x) > 1 ||
                    std::abs(last_.y - first.y) > 1)) { // a gap at the corner (every segment here is straight)
            if (backwards)
                ++hi;
            else
                --lo;
        }
    }
    lastDirection_ = direction;
    last_ = last;

    // At least one pixel, even where the doubled one was left out of a one-pixel segment.
    const int count = hi - lo > 1 ? hi - lo : 1;
    const int limit = horizontal ? width_ : height_;
    if (across < 0 || across >= (horizontal ? height_ : width_))
        return;
    if (dotted_) {
        // In drawing order from the start: three pixels on, three off.
        for (int k = 0; k < count; ++k) {
            if (k % kDotPeriod >= kDotOn)
                continue;
            const int along = backwards ? lo + count - 1 - k : lo + k;
            if (along >= 0 && along < limit)
                put(horizontal ? along : across, horizontal ? across : along);
        }
        return;
    }
    const int begin = std::max(lo, 0), end = std::min(lo + count, limit);
    if (horizontal) {
        std::uint32_t* row = pixels_ + static_cast<long>(across) * pixelsPerLine_;
        for (int x = begin; x < end; ++x)
            row[x] = colour_;
    } else {
        for (int y = begin; y < end; ++y)
            pixels_[static_cast<long>(y) * pixelsPerLine_ + across] = colour_;
    }
}

} // namespace sigmora::app
