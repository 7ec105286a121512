#pragma once

#include <functional>
#include <optional>
#include <string>

#include "model/TextMeasurer.h"
#include "render/Surface.h"

namespace sigmora::edit {

// The platform's picture outputs: raster pictures, the printer and the system clipboard. The
// editor decides what is drawn and with which settings; a device only provides the surface.
class OutputDevices {
public:
    using Drawing = std::function<void(render::Surface&)>;
    virtual ~OutputDevices() = default;

    // A white raster picture of size pixels drawn by draw: the bytes of its bitmap file, in the
    // depth of the screen image.
    virtual std::string bitmapFile(render::Size size, const Drawing& draw) = 0;
    // The same picture as a PNG file (32-bit, as the command line writes it), and as a PDF
    // document of one vector page of that size with its fonts embedded. Empty when it could not
    // be made.
    virtual std::string pngFile(render::Size size, const Drawing& draw) = 0;
    virtual std::string pdfFile(render::Size size, const Drawing& draw) = 0;

    // "Printer Setup": the number of clock cycles to print (1 to 1000), starting from proposed;
    // nothing when cancelled.
    virtual std::optional<int> chooseCyclesToPrint(int proposed) = 0;

    // Shows the print dialog; when it is confirmed, prints one page in a document named
    // documentName, drawn by draw on a surface whose unit is 1/96 inch. False when cancelled.
    // pdfFile is the file the dialog proposes for printing to a file (empty for an untitled
    // diagram: the device proposes one in the user's documents folder).
    virtual bool print(const std::string& documentName, const std::string& pdfFile, const Drawing& draw) = 0;

    // The diagram's picture for the system clipboard in three forms. Each is made only when a
    // program asks for it, from the diagram as it was when it was copied; the metafile and the
    // SVG measure their text with the measurer the device gives them.
    struct ClipboardPicture {
        render::Size size; // of the raster picture; empty: no raster form
        Drawing draw;      // draws the raster picture (PNG)
        std::function<std::string(const model::TextMeasurer&)> svg; // the SVG document
        std::function<std::string(const model::TextMeasurer&)> emf; // the enhanced metafile
    };
    // False when the clipboard could not take it.
    virtual bool putOnClipboard(const ClipboardPicture& picture) = 0;
};

} // namespace sigmora::edit
