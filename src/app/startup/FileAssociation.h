#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace sigmora::app {

// Associates diagram files with Sigmora on a freedesktop desktop: a shared-mime-info type for the
// extension and a desktop entry that opens files of that type. The build's install step installs
// both; at start-up they are written for the user only when no copy is found.
class FileAssociation {
public:
    struct Names {
        QString extension; // ".sgm"
        QString typeName;  // "Sigmora"
    };
    // Spaces are removed from both names, then every "." from the extension, which gets one "."
    // in front; nothing when either name is left empty.
    static std::optional<Names> normalise(const QString& extension, const QString& typeName);

    // The desktop entry's Exec value that opens one file with the program: the program path,
    // quoted and escaped when it holds spaces or other reserved characters, then " %f".
    static QString openCommand(const QString& programPath);

    static QString mimeType(const Names& names);      // "application/x-sigmora"
    static QString desktopEntry(const Names& names, const QString& programPath);
    static QString mimeInfo(const Names& names);

    // dataHome is the user's data folder (~/.local/share) and dataDirs every folder where an
    // installed copy may be found (the user's first); configHome holds mimeapps.list.
    FileAssociation(QString dataHome, QStringList dataDirs, QString configHome);
    // The folders of this session's desktop.
    FileAssociation();

    // Writes whichever of the two files is missing and makes Sigmora the default application of
    // the type when none is set; false when a file could not be written or the names are empty.
    bool registerForUser(const QString& extension, const QString& typeName, const QString& programPath);

private:
    bool installedCopyExists(const QString& relativePath) const;
    bool setDefaultApplication(const QString& type) const;

    QString dataHome_;
    QStringList dataDirs_;
    QString configHome_;
};

} // namespace sigmora::app
