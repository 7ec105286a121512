#include <QApplication>

#include "app/startup/EditorModule.h"
#include "app/startup/StartUp.h"

// The window's side of the program: the executable loads this module when it opens the window.
extern "C" int sigmoraRunEditor(int argc, char* argv[])
{
    QApplication app(argc, argv);
    sigmora::app::StartUp startUp(app);
    if (!startUp.run())
        return 0; // another Sigmora runs: end silently
    return app.exec();
}
