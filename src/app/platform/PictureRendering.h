#pragma once

#include <QImage>
#include <QPagedPaintDevice>
#include <string>

#include "edit/files/OutputDevices.h"

namespace sigmora::app {

// The Qt surfaces of the picture outputs, each drawn by one full redraw.

// A white picture of size pixels in the screen image's format, drawn by draw.
QImage rasterPicture(render::Size size, const edit::OutputDevices::Drawing& draw);

// The bitmap file of a picture: its rows bottom-up in its own 32-bit pixel layout.
std::string bitmapFileOf(const QImage& picture);

// The PNG file of a picture; empty when it cannot be encoded.
std::string pngFileOf(const QImage& picture);

// Draws one page on a printer or PDF writer already begun: one unit of the surface is 1/96 inch
// (the printer mapping for the device's resolution), the surface as large as the printable area.
void drawPrintedPage(QPagedPaintDevice& device, const edit::OutputDevices::Drawing& draw);

// A PDF document of one vector page of size pixels (1/96 inch each), without margins, its
// fonts embedded; empty when it cannot be made.
std::string pdfDocument(render::Size size, const std::string& title, const edit::OutputDevices::Drawing& draw);

} // namespace sigmora::app
