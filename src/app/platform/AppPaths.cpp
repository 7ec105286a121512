#include "app/platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace sigmora::app {

namespace {
constexpr const char* kPreferencesFile = "sigmora.ini";
constexpr const char* kGuideIndex = "index.html";
constexpr const char* kOrganisationFolder = "Kavlon Software";
} // namespace

QString AppPaths::userConfigDir(const QString& xdgConfigHome, const QString& home)
{
    const QString base = !xdgConfigHome.isEmpty() && QDir::isAbsolutePath(xdgConfigHome)
                             ? xdgConfigHome
                             : QDir(home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(QDir(base).filePath(QString::fromUtf8(kOrganisationFolder)));
}

AppPaths::AppPaths()
    : AppPaths(QCoreApplication::applicationDirPath(),
               userConfigDir(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath()))
{
}

AppPaths::AppPaths(const QString& executableDir, const QString& configDir)
    : executableDir_(QDir::cleanPath(executableDir)), installationDir_(QDir::cleanPath(configDir))
{
    QDir().mkpath(installationDir_);
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
