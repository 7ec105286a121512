#include "app/cli/PictureConversions.h"

#include "app/platform/PictureRendering.h"
#include "app/platform/QtTextMeasurer.h"
#include "io/pictures/MetafilePictures.h"
#include "io/pictures/PictureSize.h"
#include "model/TextCase.h"
#include "render/FullRedraw.h"

namespace sigmora::app {

namespace {

enum class Kind { None, Png, Bitmap, Pdf, Emf, Wmf };

Kind kindOf(const std::string& out)
{
    const struct {
        std::string_view extension;
        Kind kind;
    } kinds[] = {{".png", Kind::Png}, {".bmp", Kind::Bitmap}, {".pdf", Kind::Pdf}, {".emf", Kind::Emf}, {".wmf", Kind::Wmf}};
    for (const auto& k : kinds) {
        if (out.size() >= k.extension.size() &&
            model::equalsIgnoringCase(std::string_view(out).substr(out.size() - k.extension.size()), k.extension))
            return k.kind;
    }
    return Kind::None;
}

edit::OutputDevices::Drawing redrawOf(const model::Diagram& diagram)
{
    return [&diagram](render::Surface& surface) {
        render::RedrawMemory memory;
        model::ReaderReport report;
        render::fullRedraw(surface, diagram, render::RedrawOptions{}, memory, report);
    };
}

} // namespace

bool isPictureOutput(const std::string& out)
{
    return kindOf(out) != Kind::None;
}

bool pictureOutputBytes(const model::Diagram& diagram, const std::string& out, std::string& bytes, std::string& error)
{
    const Kind kind = kindOf(out);
    const bool metafile = kind == Kind::Emf || kind == Kind::Wmf;
    const io::PictureSize size = metafile ? io::metafileExtent(diagram, false) : io::wholeDiagramPictureSize(diagram);
    // Raster pictures are bounded in pixels; vector pages and metafiles only in their sides.
    const bool vector = metafile || kind == Kind::Pdf;
    if (vector ? !io::vectorPictureSizeAllowed(size) : !io::pictureSizeAllowed(size)) {
        error = "cannot draw " + out + ": a picture of " + std::to_string(size.width) + " x " +
                std::to_string(size.height) + " pixels is out of range";
        return false;
    }
    const render::Size pixels{static_cast<int>(size.width), static_cast<int>(size.height)};
    QtTextMeasurer measurer;
    model::ReaderReport report;
    switch (kind) {
    case Kind::Png: bytes = pngFileOf(rasterPicture(pixels, redrawOf(diagram))); break;
    case Kind::Bitmap: bytes = bitmapFileOf(rasterPicture(pixels, redrawOf(diagram))); break;
    case Kind::Pdf: bytes = pdfDocument(pixels, "Sigmora", redrawOf(diagram)); break;
    case Kind::Emf: bytes = io::emfPicture(diagram, {}, measurer, size, report); break;
    case Kind::Wmf: bytes = io::wmfPicture(diagram, {}, measurer, size, report); break;
    case Kind::None: break;
    }
    if (bytes.empty()) {
        error = "cannot encode " + out;
        return false;
    }
    return true;
}

} // namespace sigmora::app
