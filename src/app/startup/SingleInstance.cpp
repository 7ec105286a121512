#include "app/startup/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace sigmora::app {

namespace {
constexpr const char* kInstanceName = "Sigmora 3.3";

// The instance's name on a display; a display's '/' (a Wayland socket's path) cannot stand in a
// file name.
QString instanceName(QString display)
{
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    return display.isEmpty() ? QString::fromUtf8(kInstanceName)
                             : QString::fromUtf8(kInstanceName) + QStringLiteral(" on ") + display;
}

QString runtimeDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}
} // namespace

SingleInstance::SingleInstance() : SingleInstance(runtimeDirectory(), currentDisplay()) {}

SingleInstance::SingleInstance(const QString& directory, const QString& display)
    : directory_(directory), name_(instanceName(display)),
      lock_(QDir(directory).filePath(name_ + QStringLiteral(".lock")))
{
    // A lock is never old enough to be taken from a program that still runs.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return lock_.tryLock(0);
}

QString SingleInstance::socket() const
{
    return QDir(directory_).filePath(name_ + QStringLiteral(".socket"));
}

QString SingleInstance::currentDisplay()
{
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty())
        return QStringLiteral("wayland-") + wayland;
    QString x = qEnvironmentVariable("DISPLAY");
    // ":72.0" and ":72" are one display: the number after the last dot of the part after the
    // colon is a screen of it.
    const qsizetype colon = x.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = x.lastIndexOf(QLatin1Char('.'));
    if (colon >= 0 && dot > colon)
        x.truncate(dot);
    return x;
}

} // namespace sigmora::app
