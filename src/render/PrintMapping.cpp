#include "render/PrintMapping.h"

#include <numeric>

namespace sigmora::render {

namespace {
constexpr long long kWindow = 144000;
constexpr long long kViewportPerDpi = 1500;
} // namespace

PrintMapping PrintMapping::forDpi(int dpi)
{
    const long long viewport = kViewportPerDpi * (dpi > 0 ? dpi : 96);
    const long long g = std::gcd(kWindow, viewport);
    return {kWindow / g, viewport / g};
}

} // namespace sigmora::render
