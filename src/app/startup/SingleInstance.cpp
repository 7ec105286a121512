#include "app/startup/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace sigmora::app {

namespace {
constexpr const char* kLockName = "Sigmora 3.3.lock";

QString runtimeDirectory()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    return dir;
}
} // namespace

SingleInstance::SingleInstance() : SingleInstance(runtimeDirectory()) {}

SingleInstance::SingleInstance(const QString& directory)
    : directory_(directory), lock_(QDir(directory).filePath(QString::fromUtf8(kLockName)))
{
    // A lock is never old enough to be taken from a program that still runs.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire()
{
    return lock_.tryLock(0);
}

} // namespace sigmora::app
