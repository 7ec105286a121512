#include "app/startup/FileAssociation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace sigmora::app {

namespace {
constexpr const char* kDesktopFile = "applications/sigmora.desktop";
constexpr const char* kMimeFile = "mime/packages/sigmora.xml";
constexpr const char* kDefaultsFile = "mimeapps.list";
constexpr const char* kDefaultsSection = "[Default Applications]";

// Characters that force quoting of an argument of a desktop entry's Exec key.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

bool writeText(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}
} // namespace

std::optional<FileAssociation::Names> FileAssociation::normalise(const QString& extension, const QString& typeName)
{
    Names names{extension, typeName};
    names.extension.remove(QLatin1Char(' '));
    names.typeName.remove(QLatin1Char(' '));
    if (names.extension.isEmpty() || names.typeName.isEmpty())
        return std::nullopt;
    names.extension.remove(QLatin1Char('.'));
    if (names.extension.isEmpty())
        return std::nullopt;
    names.extension.prepend(QLatin1Char('.'));
    return names;
}

QString FileAssociation::openCommand(const QString& programPath)
{
    QString argument = programPath;
    bool quote = false;
    for (QChar c : programPath)
        quote = quote || kReserved.contains(c);
    if (quote) {
        QString escaped;
        for (QChar c : programPath) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                escaped += QLatin1Char('\\');
            escaped += c;
        }
        argument = QLatin1Char('"') + escaped + QLatin1Char('"');
    }
    // A desktop entry's string values escape their backslashes once more, and "%" is doubled.
    argument.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    argument.replace(QLatin1Char('%'), QStringLiteral("%%"));
    return argument + QStringLiteral(" %f");
}

QString FileAssociation::mimeType(const Names& names)
{
    return QStringLiteral("application/x-") + names.typeName.toLower();
}

QString FileAssociation::desktopEntry(const Names& names, const QString& programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Sigmora\n"
                          "GenericName=Timing Diagram Editor\n"
                          "Comment=Draw and document digital timing diagrams\n"
                          "Exec=%1\n"
                          "Icon=sigmora\n"
                          "Terminal=false\n"
                          "Categories=Development;Electronics;Engineering;\n"
                          "MimeType=%2;\n")
        .arg(openCommand(programPath), mimeType(names));
}

// Diagrams start with their format tag "SGM" (a string of length 3). The magic tells them from
// SGML documents, whose type claims the same "*.sgm" glob on every desktop.
QString FileAssociation::mimeInfo(const Names& names)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                          "  <mime-type type=\"%1\">\n"
                          "    <comment>%2 Document</comment>\n"
                          "    <icon name=\"sigmora\"/>\n"
                          "    <magic priority=\"60\">\n"
                          "      <match type=\"string\" offset=\"0\" value=\"\\x03SGM\"/>\n"
                          "    </magic>\n"
                          "    <glob pattern=\"*%3\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n")
        .arg(mimeType(names), names.typeName, names.extension);
}

FileAssociation::FileAssociation(QString dataHome, QStringList dataDirs, QString configHome)
    : dataHome_(std::move(dataHome)), dataDirs_(std::move(dataDirs)), configHome_(std::move(configHome))
{
}

FileAssociation::FileAssociation()
    : FileAssociation(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                      QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation),
                      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
{
}

bool FileAssociation::installedCopyExists(const QString& relativePath) const
{
    QStringList dirs = dataDirs_;
    dirs.prepend(dataHome_);
    for (const QString& dir : dirs) {
        if (QFileInfo::exists(QDir(dir).filePath(relativePath)))
            return true;
    }
    return false;
}

bool FileAssociation::registerForUser(const QString& extension, const QString& typeName, const QString& programPath)
{
    const auto names = normalise(extension, typeName);
    if (!names || dataHome_.isEmpty())
        return false;
    const QString desktop = QString::fromUtf8(kDesktopFile);
    if (!installedCopyExists(desktop) && !writeText(QDir(dataHome_).filePath(desktop), desktopEntry(*names, programPath)))
        return false;
    const QString mime = QString::fromUtf8(kMimeFile);
    if (!installedCopyExists(mime)) {
        if (!writeText(QDir(dataHome_).filePath(mime), mimeInfo(*names)))
            return false;
        // Builds the user's MIME cache; without the tool the desktop falls back to the globs file.
        QProcess update;
        update.setStandardOutputFile(QProcess::nullDevice());
        update.setStandardErrorFile(QProcess::nullDevice());
        update.start(QStringLiteral("update-mime-database"), {QDir(dataHome_).filePath(QStringLiteral("mime"))});
        update.waitForFinished();
    }
    return setDefaultApplication(mimeType(*names));
}

bool FileAssociation::setDefaultApplication(const QString& type) const
{
    if (configHome_.isEmpty())
        return true;
    const QString path = QDir(configHome_).filePath(QString::fromUtf8(kDefaultsFile));
    QString text;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return false;
        text = QString::fromUtf8(file.readAll());
        file.close();
    }
    const QString key = type + QLatin1Char('=');
    QStringList lines = text.split(QLatin1Char('\n'));
    int section = -1;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line == QLatin1String(kDefaultsSection))
            section = i;
        else if (section >= 0 && line.startsWith(QLatin1Char('[')))
            break;
        else if (section >= 0 && line.startsWith(key))
            return true; // the user's own choice stands
    }
    const QString entry = key + QStringLiteral("sigmora.desktop;");
    if (section < 0) {
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            text += QLatin1Char('\n');
        text += QLatin1String(kDefaultsSection) + QLatin1Char('\n') + entry + QLatin1Char('\n');
    } else {
        lines.insert(section + 1, entry);
        text = lines.join(QLatin1Char('\n'));
    }
    return writeText(path, text);
}

} // namespace sigmora::app
