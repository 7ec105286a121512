#include <QApplication>

#include "app/StartUp.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    sigmora::app::StartUp startUp(app);
    if (!startUp.run())
        return 0; // another Sigmora runs: end silently
    return app.exec();
}
