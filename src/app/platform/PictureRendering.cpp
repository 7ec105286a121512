#include "app/platform/PictureRendering.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "app/platform/QtSurface.h"
#include "io/pictures/BitmapFile.h"
#include "io/pictures/PngFile.h"
#include "render/PrintMapping.h"

namespace sigmora::app {

namespace {

constexpr int kScreenDpi = 96;
constexpr int kPictureDepth = 32;

std::string bytesOf(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

QImage rasterPicture(render::Size size, const edit::OutputDevices::Drawing& draw)
{
    QImage picture(size.width, size.height, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    picture.fill(Qt::white);
    QPainter painter(&picture);
    QtSurface surface(painter, size);
    draw(surface);
    return picture;
}

std::string bitmapFileOf(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    return io::bitmapFileBytes(rgb.width(), rgb.height(), kPictureDepth,
                               [&rgb](int y) { return static_cast<const std::uint8_t*>(rgb.constScanLine(y)); });
}

std::string pngFileOf(const QImage& picture)
{
    if (picture.isNull())
        return {};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    return io::pngFileBytes(rgb.width(), rgb.height(), rgb.dotsPerMeterX(),
                            [&rgb](int y) { return static_cast<const std::uint8_t*>(rgb.constScanLine(y)); });
}

void drawPrintedPage(QPagedPaintDevice& device, const edit::OutputDevices::Drawing& draw)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return;
    const render::PrintMapping mapping = render::PrintMapping::forDpi(device.logicalDpiX());
    const double scale = mapping.scale();
    painter.scale(scale, scale);
    // Hatches grow with the page like everything else.
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
    const render::Size size{static_cast<int>(device.width() / scale), static_cast<int>(device.height() / scale)};
    QtSurface surface(painter, size);
    draw(surface);
}

std::string pdfDocument(render::Size size, const std::string& title, const edit::OutputDevices::Drawing& draw)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QString::fromStdString(title));
        writer.setCreator(QStringLiteral("Sigmora"));
        writer.setResolution(kScreenDpi);
        const QSizeF inches(static_cast<double>(size.width) / kScreenDpi, static_cast<double>(size.height) / kScreenDpi);
        writer.setPageSize(QPageSize(inches, QPageSize::Inch, QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        drawPrintedPage(writer, draw);
    }
    return bytesOf(pdf);
}

} // namespace sigmora::app
