#include "app/startup/RecoveryKeeper.h"

#include <QCoreApplication>
#include <QDir>

#include "app/window/MainWindow.h"
#include "edit/Editor.h"

namespace sigmora::app {

namespace {
std::chrono::milliseconds intervalMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(edit::RecoveryCopy::kInterval);
}
} // namespace

RecoveryKeeper::RecoveryKeeper(MainWindow& window, const QString& folder)
    : window_(window), copy_(folder.toStdString())
{
    edit::Editor& editor = window_.editor();
    // The window redraws on every change; the copy only notes it.
    redraw_ = editor.onRefresh;
    editor.onRefresh = [this] {
        if (redraw_)
            redraw_();
        copy_.diagramChanged(window_.editor());
    };
    editor.onSnapshot = [this] { copy_.snapshotTaken(window_.editor(), edit::RecoveryCopy::Clock::now()); };
    editor.onSaved = [this] { copy_.discard(); };
    connect(&interval_, &QTimer::timeout, this,
            [this] { copy_.intervalElapsed(window_.editor(), edit::RecoveryCopy::Clock::now()); });
    interval_.start(intervalMilliseconds());
    // A normal close has asked about unsaved changes: nothing is left to recover.
    connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] { copy_.discard(); });
}

RecoveryKeeper::~RecoveryKeeper()
{
    edit::Editor& editor = window_.editor();
    editor.onRefresh = redraw_;
    editor.onSnapshot = nullptr;
    editor.onSaved = nullptr;
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
