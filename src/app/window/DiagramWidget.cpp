#include "app/window/DiagramWidget.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QRegion>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>

#include "app/platform/QtSurface.h"
#include "app/platform/ToolCursors.h"
#include "edit/mouse/KeyInput.h"
#include "edit/mouse/ToolCommands.h"

namespace sigmora::app {

namespace {
constexpr QPoint kStartHintAt{230, 0}; // the start hint sits over the window, not in the image

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

edit::MouseFlags flagsOf(const QMouseEvent* event)
{
    edit::MouseFlags flags;
    flags.left = event->buttons().testFlag(Qt::LeftButton);
    flags.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    flags.shift = event->modifiers().testFlag(Qt::ShiftModifier);
    return flags;
}

std::optional<edit::KeyPress> toKeyPress(const QKeyEvent* event)
{
    using Key = edit::KeyPress::Key;
    edit::KeyPress k;
    k.ctrl = event->modifiers().testFlag(Qt::ControlModifier);
    k.shift = event->modifiers().testFlag(Qt::ShiftModifier);
    k.alt = event->modifiers().testFlag(Qt::AltModifier);
    const int key = event->key();
    switch (key) {
    case Qt::Key_Left: k.key = Key::Left; return k;
    case Qt::Key_Right: k.key = Key::Right; return k;
    case Qt::Key_Up: k.key = Key::Up; return k;
    case Qt::Key_Down: k.key = Key::Down; return k;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: k.key = Key::Tab; k.shift = k.shift || key == Qt::Key_Backtab; return k;
    case Qt::Key_Escape: k.key = Key::Escape; return k;
    case Qt::Key_Delete: k.key = Key::Delete; return k;
    case Qt::Key_Insert: k.key = Key::Insert; return k;
    case Qt::Key_Comma:
    case Qt::Key_Less: k.character = ','; return k;
    case Qt::Key_Period:
    case Qt::Key_Greater: k.character = '.'; return k;
    default: break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        k.character = static_cast<char>('A' + (key - Qt::Key_A));
        return k;
    }
    return std::nullopt;
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
    viewport()->setMouseTracking(true);
    showCursor(editor_.cursor());
}

void DiagramWidget::showCursor(edit::CursorRole role)
{
    viewport()->setCursor(toolCursor(role));
}

void DiagramWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    editor_.mouse().press(flagsOf(event), p.x(), p.y());
}

void DiagramWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    editor_.mouse().move(flagsOf(event), p.x(), p.y());
}

void DiagramWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    editor_.mouse().release(flagsOf(event), p.x(), p.y());
}

void DiagramWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint p = event->position().toPoint();
    editor_.mouse().doubleClick(p.x(), p.y());
}

void DiagramWidget::contextMenuEvent(QContextMenuEvent* event)
{
    edit::rightButton(editor_, event->pos().x(), event->pos().y(), event->globalPos().x(), event->globalPos().y());
}

void DiagramWidget::keyPressEvent(QKeyEvent* event)
{
    // Keys that do not apply to the selection do nothing: the scroll area's own key scrolling
    // does not run for them.
    const auto key = toKeyPress(event);
    if (!key) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    edit::keyDown(editor_, *key);
}

bool DiagramWidget::focusNextPrevChild(bool)
{
    return false;
}

void DiagramWidget::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    // A context menu or dialog took the focus: a drag whose release this window will not see ends here.
    if (event->reason() != Qt::PopupFocusReason)
        editor_.mouse().abandon();
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
    if (editor_.startHint && editor_.diagram().store.signalCount() == 0)
        painter.drawImage(kStartHintAt, startHintImage());
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
