#include "app/DiagramWidget.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QRegion>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "app/QtSurface.h"

namespace sigmora::app {

namespace {

constexpr QSize kFallbackImageSize(1920, 1080);

QSize screenImageSize()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = screen->size();
        if (!size.isEmpty())
            return size;
    }
    return kFallbackImageSize;
}

std::optional<edit::ScrollAction> toScrollAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return edit::ScrollAction::LineUp;
    case QAbstractSlider::SliderSingleStepAdd: return edit::ScrollAction::LineDown;
    case QAbstractSlider::SliderPageStepSub: return edit::ScrollAction::PageUp;
    case QAbstractSlider::SliderPageStepAdd: return edit::ScrollAction::PageDown;
    case QAbstractSlider::SliderMove: return edit::ScrollAction::Thumb;
    default: return std::nullopt;
    }
}

} // namespace

DiagramWidget::DiagramWidget(edit::Editor& editor, QWidget* parent)
    : QAbstractScrollArea(parent), editor_(editor), image_(screenImageSize(), QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("diagramView"));
    image_.fill(Qt::white);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
        bar->setRange(0, edit::kScrollLimit);
        bar->setSingleStep(edit::kScrollLineStep);
        bar->setPageStep(edit::kScrollPageStep);
    }
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, &DiagramWidget::onHorizontalAction);
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &DiagramWidget::onVerticalAction);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void DiagramWidget::refresh()
{
    {
        QPainter painter(&image_);
        QtSurface surface(painter, {image_.width(), image_.height()});
        editor_.redraw(surface);
    }
    viewport()->update();
}

void DiagramWidget::syncScrollBars()
{
    const QSignalBlocker blockH(horizontalScrollBar());
    const QSignalBlocker blockV(verticalScrollBar());
    horizontalScrollBar()->setValue(editor_.diagram().settings.firstVisibleCell);
    verticalScrollBar()->setValue(editor_.diagram().settings.verticalScroll);
}

void DiagramWidget::onHorizontalAction(int action)
{
    auto scroll = toScrollAction(action);
    if (!scroll)
        return;
    editor_.scrollHorizontal(*scroll, horizontalScrollBar()->sliderPosition());
    horizontalScrollBar()->setSliderPosition(editor_.diagram().settings.firstVisibleCell);
}

void DiagramWidget::onVerticalAction(int action)
{
    auto scroll = toScrollAction(action);
    if (!scroll)
        return;
    editor_.scrollVertical(*scroll, verticalScrollBar()->sliderPosition());
    verticalScrollBar()->setSliderPosition(editor_.diagram().settings.verticalScroll);
}

void DiagramWidget::scrollContentsBy(int, int)
{
    // The editor owns the scroll position; the image is redrawn, never shifted.
}

void DiagramWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect r = event->rect();
    painter.drawImage(r.topLeft(), image_, r);
    // A view larger than the screen the image was sized for shows white beyond it.
    const QRegion beyond = QRegion(r) - QRegion(image_.rect());
    for (const QRect& part : beyond)
        painter.fillRect(part, Qt::white);
}

void DiagramWidget::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    refresh();
}

void DiagramWidget::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    refresh();
}

} // namespace sigmora::app
