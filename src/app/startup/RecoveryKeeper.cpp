#include "app/startup/RecoveryKeeper.h"

#include <QGuiApplication>
#include <QDir>

#include "app/window/MainWindow.h"
#include "edit/Editor.h"

namespace sigmora::app {

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const QString& folder)
    : window_(window), copy_(folder.toStdString())
{
    edit::Editor& editor = window_.editor();
    // The window redraws on every change; the copy only notes it.
    redraw_ = editor.onRefresh;
    editor.onRefresh = [this] {
        if (redraw_)
            redraw_();
        noteChange();
    };
    editor.onSnapshot = [this] { noteChange(); };
    editor.onSaved = [this] {
        delay_.stop();
        copy_.discard();
    };
    delay_.setSingleShot(true);
    delay_.setInterval(static_cast<int>(edit::RecoveryCopy::kDelay.count()));
    connect(&delay_, &QTimer::timeout, this, &RecoveryKeeper::writeDue);
    // Another program takes the focus: what was done so far is copied now.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            writeDue();
    });
    // A normal close has asked about unsaved changes: nothing is left to recover.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, [this] {
        delay_.stop();
        copy_.discard();
    });
}

RecoveryKeeper::~RecoveryKeeper()
{
    edit::Editor& editor = window_.editor();
    editor.onRefresh = redraw_;
    editor.onSnapshot = nullptr;
    editor.onSaved = nullptr;
}

void RecoveryKeeper::noteChange()
{
    copy_.diagramChanged(window_.editor());
    // The delay runs from the first change not yet copied: later changes do not put it off, so
    // steady editing is still copied every two seconds.
    if (copy_.due() && !delay_.isActive())
        delay_.start();
    else if (!copy_.due())
        delay_.stop();
}

void RecoveryKeeper::writeDue()
{
    delay_.stop();
    copy_.writeDue(window_.editor());
}

void RecoveryKeeper::offerLeftCopy()
{
    edit::offerLeftCopies(window_.editor(), copy_);
}

QString RecoveryKeeper::defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/sigmora");
}

} // namespace sigmora::app
