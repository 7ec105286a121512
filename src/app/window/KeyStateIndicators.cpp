#include "app/window/KeyStateIndicators.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <X11/XKBlib.h>

namespace sigmora::app {

namespace {
constexpr int kPollMilliseconds = 250;
constexpr const char* kTexts[3] = {"CAP", "NUM", "SCRL"};
constexpr const char* kIndicatorNames[3] = {"Caps Lock", "Num Lock", "Scroll Lock"};

Display* x11Display()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->display() : nullptr;
}

bool indicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
}
} // namespace

KeyStateIndicators::KeyStateIndicators(QStatusBar* bar) : QObject(bar)
{
    for (int i = 0; i < 3; ++i) {
        auto* pane = new QLabel(bar);
        pane->setObjectName(QString::fromUtf8(kTexts[i]));
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
        panes_[i] = pane;
    }
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &KeyStateIndicators::update);
    timer->start(kPollMilliseconds);
    update();
}

void KeyStateIndicators::update()
{
    Display* display = x11Display();
    for (int i = 0; i < 3; ++i) {
        const bool on = display && indicatorOn(display, kIndicatorNames[i]);
        const QString text = on ? QString::fromUtf8(kTexts[i]) : QString();
        if (panes_[i]->text() != text)
            panes_[i]->setText(text);
    }
}

} // namespace sigmora::app
