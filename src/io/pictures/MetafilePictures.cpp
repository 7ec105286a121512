#include "io/pictures/MetafilePictures.h"

#include <algorithm>

#include "io/pictures/EmfSurface.h"
#include "io/pictures/WmfSurface.h"
#include "render/FullRedraw.h"

namespace sigmora::io {

namespace {

// A metafile's extent is kept to what its coordinates can hold.
constexpr std::int64_t kLargestSide = 1 << 24;

render::Size surfaceSize(PictureSize extent)
{
    return {static_cast<int>(std::clamp<std::int64_t>(extent.width, 1, kLargestSide)),
            static_cast<int>(std::clamp<std::int64_t>(extent.height, 1, kLargestSide))};
}

template <typename MetafileSurface>
std::string drawnPicture(const model::Diagram& diagram, const render::RedrawOptions& options,
                         const model::TextMeasurer& measurer, PictureSize extent, model::ReaderReport& report)
{
    MetafileSurface surface(measurer, surfaceSize(extent));
    render::RedrawMemory memory;
    render::fullRedraw(surface, diagram, options, memory, report);
    return surface.finish();
}

} // namespace

std::string emfPicture(const model::Diagram& diagram, const render::RedrawOptions& options,
                       const model::TextMeasurer& measurer, PictureSize extent, model::ReaderReport& report)
{
    return drawnPicture<EmfSurface>(diagram, options, measurer, extent, report);
}

std::string wmfPicture(const model::Diagram& diagram, const render::RedrawOptions& options,
                       const model::TextMeasurer& measurer, PictureSize extent, model::ReaderReport& report)
{
    return drawnPicture<WmfSurface>(diagram, options, measurer, extent, report);
}

} // namespace sigmora::io
