#include "dialogs/ColourSwatch.h"

#include <QColor>
#include <QPixmap>

namespace sigmora::dialogs {

ColourSwatch::ColourSwatch(QWidget* parent) : QLabel(parent)
{
    setFixedSize(kWidth, kHeight);
    setColour(0);
}

void ColourSwatch::setColour(model::Colour colour)
{
    colour_ = colour;
    QPixmap fill(kWidth, kHeight);
    fill.fill(QColor(model::redOf(colour), model::greenOf(colour), model::blueOf(colour)));
    setPixmap(fill);
}

} // namespace sigmora::dialogs
