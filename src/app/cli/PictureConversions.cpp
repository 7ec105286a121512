#include "app/cli/PictureConversions.h"

#include "app/platform/PictureRendering.h"
#include "app/platform/QtTextMeasurer.h"
#include "io/pictures/MetafilePictures.h"
#include "io/pictures/PictureSize.h"
#include "render/FullRedraw.h"

namespace sigmora::app {

namespace {

using edit::Format;

edit::OutputDevices::Drawing redrawOf(const model::Diagram& diagram)
{
    return [&diagram](render::Surface& surface) {
        render::RedrawMemory memory;
        model::ReaderReport report;
        render::fullRedraw(surface, diagram, render::RedrawOptions{}, memory, report);
    };
}

} // namespace

bool pictureOutputBytes(const model::Diagram& diagram, Format kind, const std::string& out, std::string& bytes,
                        std::string& error)
{
    const bool metafile = kind == Format::Emf || kind == Format::Wmf;
    const io::PictureSize size = metafile ? io::metafileExtent(diagram, false) : io::wholeDiagramPictureSize(diagram);
    // Raster pictures are bounded in pixels; vector pages and metafiles only in their sides.
    const bool vector = metafile || kind == Format::Pdf;
    if (vector ? !io::vectorPictureSizeAllowed(size) : !io::pictureSizeAllowed(size)) {
        error = "cannot draw " + out + ": a picture of " + std::to_string(size.width) + " x " +
                std::to_string(size.height) + " pixels is out of range";
        return false;
    }
    const render::Size pixels{static_cast<int>(size.width), static_cast<int>(size.height)};
    QtTextMeasurer measurer;
    model::ReaderReport report;
    switch (kind) {
    case Format::Png: bytes = pngFileOf(rasterPicture(pixels, redrawOf(diagram))); break;
    case Format::Bitmap: bytes = bitmapFileOf(rasterPicture(pixels, redrawOf(diagram))); break;
    case Format::Pdf: bytes = pdfDocument(pixels, "Sigmora", redrawOf(diagram)); break;
    case Format::Emf: bytes = io::emfPicture(diagram, {}, measurer, size, report); break;
    case Format::Wmf: bytes = io::wmfPicture(diagram, {}, measurer, size, report); break;
    default: break;
    }
    if (bytes.empty()) {
        error = "cannot encode " + out;
        return false;
    }
    return true;
}

} // namespace sigmora::app
