#include "app/platform/DialogFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace sigmora::app {

namespace {
constexpr const char* kLastFolderKey = "Settings/LastFolder";

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}
} // namespace

QString DialogFolder::startPath(const QString& initialPath, const QString& currentDiagram, const QString& lastFolder)
{
    if (!initialPath.isEmpty() && QDir::isAbsolutePath(initialPath))
        return initialPath;
    QString folder = QDir::homePath();
    const QString diagramFolder = currentDiagram.isEmpty() ? QString() : QFileInfo(currentDiagram).absolutePath();
    if (isFolder(diagramFolder))
        folder = diagramFolder;
    else if (isFolder(lastFolder))
        folder = lastFolder;
    return initialPath.isEmpty() ? folder : QDir(folder).filePath(initialPath);
}

QString DialogFolder::lastFolder()
{
    return QSettings().value(QString::fromUtf8(kLastFolderKey)).toString();
}

void DialogFolder::remember(const QString& chosenFile)
{
    QSettings().setValue(QString::fromUtf8(kLastFolderKey), QFileInfo(chosenFile).absolutePath());
}

} // namespace sigmora::app
