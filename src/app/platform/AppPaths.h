#pragma once

#include <QString>

namespace sigmora::app {

// Where Sigmora keeps and finds its files on this machine.
//
// The installation directory holds the preferences file "sigmora.ini" and is the current
// directory while the program runs: always the user's configuration folder ($XDG_CONFIG_HOME,
// else ~/.config, then "Kavlon Software"), never the folder of the executable, which may be a
// build tree or an install that several users share. Read-only data (the tips file, the user's
// guide) is looked for there first, then beside the executable, then in the installed
// shared-data folders.
class AppPaths {
public:
    // Paths for the running executable and the user of this process.
    AppPaths();
    // Paths for an executable living in executableDir whose user keeps the configuration in
    // configDir (tests use folders of their own). configDir is created when missing.
    AppPaths(const QString& executableDir, const QString& configDir);

    // The user's configuration folder for Sigmora, from the values of $XDG_CONFIG_HOME and $HOME:
    // an empty or relative $XDG_CONFIG_HOME counts as unset.
    static QString userConfigDir(const QString& xdgConfigHome, const QString& home);

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
