#include "app/platform/QtTextMeasurer.h"

#include <algorithm>

#include <QFontMetrics>

#include "app/platform/QtSurface.h"

namespace sigmora::app {

int QtTextMeasurer::textWidth(std::string_view text, const model::FontSpec& font) const
{
    return QFontMetrics(toQFont(font))
        .horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int QtTextMeasurer::lineHeight(const model::FontSpec& font) const
{
    return QFontMetrics(toQFont(font)).height();
}

int QtTextMeasurer::externalLeading(const model::FontSpec& font) const
{
    return std::max(0, QFontMetrics(toQFont(font)).leading());
}

} // namespace sigmora::app
