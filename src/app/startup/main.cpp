#include <QApplication>

#include "app/cli/CommandLineHelp.h"
#include "app/cli/ConvertCommand.h"
#include "app/startup/StartUp.h"

int main(int argc, char* argv[])
{
    // "sigmora --help" and "sigmora --version" print and end: no display is needed.
    if (sigmora::app::isHelpOrVersion(argc, argv))
        return sigmora::app::printHelpOrVersion(argc, argv);
    // "sigmora --convert IN OUT" runs without a window, before any application object exists.
    if (sigmora::app::isConvertCommand(argc, argv))
        return sigmora::app::runConvertCommand(argc, argv);
    QApplication app(argc, argv);
    sigmora::app::StartUp startUp(app);
    if (!startUp.run())
        return 0; // another Sigmora runs: end silently
    return app.exec();
}
