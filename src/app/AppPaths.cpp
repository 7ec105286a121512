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
    // An installed program (its data in ../share/sigmora, where a package or `cmake --install` puts
    // it) keeps one user's preferences in that user's configuration folder even when its own
    // folder can be written, as /usr/bin can by root: a file left there would outlive the package.
    const bool installed = QFileInfo::exists(executableDir + QStringLiteral("/../share/sigmora/tips.txt"));
    if (!installed && QFileInfo(executableDir).isWritable())
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
