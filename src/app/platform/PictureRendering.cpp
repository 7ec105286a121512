#include "app/platform/PictureRendering.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

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

// The creation date a PDF carries, as PDF writes dates ("D:20231114221320Z"): the time
// SOURCE_DATE_EPOCH gives (seconds since 1970, as reproducible builds set it), or nothing when it
// is not set or not a number, so that the same drawing always gives the same bytes.
std::optional<std::string> pdfCreationDate()
{
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch == nullptr || *epoch == '\0')
        return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long seconds = std::strtoll(epoch, &end, 10);
    if (*end != '\0' || errno != 0 || seconds < 0)
        return std::nullopt;
    const auto time = static_cast<std::time_t>(seconds);
    std::tm utc{};
    if (::gmtime_r(&time, &utc) == nullptr || utc.tm_year + 1900 > 9999)
        return std::nullopt;
    char date[32];
    std::strftime(date, sizeof date, "D:%Y%m%d%H%M%SZ", &utc);
    return std::string(date);
}

// Qt writes the time of writing as the document's creation date. The entry is rewritten in place
// with the date of pdfCreationDate(), or blanked out when there is none; the spaces keep every
// offset of the file's cross-reference table right.
void setCreationDate(QByteArray& pdf)
{
    static const QByteArray key = "/CreationDate (";
    const qsizetype start = pdf.indexOf(key);
    if (start < 0)
        return;
    const qsizetype close = pdf.indexOf(')', start + key.size());
    if (close < 0)
        return;
    const qsizetype length = close + 1 - start;
    QByteArray entry(length, ' ');
    if (const std::optional<std::string> date = pdfCreationDate()) {
        const QByteArray dated = key + QByteArray::fromStdString(*date) + ")";
        if (dated.size() <= length)
            entry.replace(0, dated.size(), dated);
    }
    pdf.replace(start, length, entry);
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
    setCreationDate(pdf);
    return bytesOf(pdf);
}

} // namespace sigmora::app
