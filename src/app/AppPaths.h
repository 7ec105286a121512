#pragma once

#include <QString>

namespace sigmora::app {

// Where Sigmora keeps and finds its files on this machine.
//
// The installation directory holds the preferences file "sigmora.ini" and is the current
// directory while the program runs: the directory of the executable when it is writable and not
// an installation's (one with ../share/sigmora/tips.txt), else the user's configuration directory
// for Sigmora. Read-only data (the tips file, the user's guide) is
// looked for there first, then beside the executable, then in the installed shared-data folders.
class AppPaths {
public:
    // Paths for the running executable.
    AppPaths();
    // Paths for an executable living in executableDir (tests use a folder of their own).
    explicit AppPaths(const QString& executableDir);

    const QString& executableDir() const { return executableDir_; }
    const QString& installationDir() const { return installationDir_; }
    QString preferencesFile() const;

    // The first existing copy of a data file ("tips.txt"), or the installation-directory path
    // when there is none.
    QString dataFile(const QString& name) const;
    // The folder of the HTML user's guide, or an empty string when it is not installed.
    QString guideDir() const;

private:
    QString executableDir_;
    QString installationDir_;
};

} // namespace sigmora::app
