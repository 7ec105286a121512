#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sigmora::app {

namespace {
constexpr const char* kPreferencesFile = "sigmora.ini";
constexpr const char* kGuideIndex = "index.html";

QString chooseInstallationDir(const QString& executableDir)
{
    if (QFileInfo(executableDir).isWritable())
        return executableDir;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config;
}
} // namespace

AppPaths::AppPaths() : AppPaths(QCoreApplication::applicationDirPath()) {}

AppPaths::AppPaths(const QString& executableDir)
    : executableDir_(QDir::cleanPath(executableDir)), installationDir_(chooseInstallationDir(executableDir_))
{
}

QString AppPaths::preferencesFile() const
{
    return QDir(installationDir_).filePath(QString::fromUtf8(kPreferencesFile));
}

QString AppPaths::dataFile(const QString& name) const
{
    const QStringList folders{installationDir_, executableDir_, executableDir_ + QStringLiteral("/../share/sigmora")};
    for (const QString& folder : folders) {
        const QString path = QDir::cleanPath(QDir(folder).filePath(name));
        if (QFileInfo::exists(path))
            return path;
    }
    return QDir(installationDir_).filePath(name);
}

QString AppPaths::guideDir() const
{
    const QStringList folders{executableDir_ + QStringLiteral("/doc"),
                              executableDir_ + QStringLiteral("/../share/doc/sigmora")};
    for (const QString& folder : folders) {
        if (QFileInfo::exists(QDir(folder).filePath(QString::fromUtf8(kGuideIndex))))
            return QDir::cleanPath(folder);
    }
    return {};
}

} // namespace sigmora::app
