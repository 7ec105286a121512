#pragma once

#include <QString>

namespace sigmora::app {

// Where the file dialogs (open, save, import, export) start: the folder of the current diagram,
// else the folder a file dialog was last used in, else the home folder. Never the program's own
// folder, which is the current directory while Sigmora runs.
class DialogFolder {
public:
    // The path a dialog opens on. An absolute initialPath stands as it is; a bare or relative name
    // is placed in the start folder; an empty one is the start folder itself. Folders that no
    // longer exist are passed over.
    static QString startPath(const QString& initialPath, const QString& currentDiagram, const QString& lastFolder);

    // The last folder used, kept in the settings from one run to the next.
    static QString lastFolder();
    // Remembers the folder of a file chosen in a dialog.
    static void remember(const QString& chosenFile);
};

} // namespace sigmora::app
