#include <QApplication>
#include <cstdio>

#include "app/DiagramWidget.h"
#include "app/MainWindow.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Kavlon Software"));
    QApplication::setApplicationName(QStringLiteral("Sigmora"));

    sigmora::app::MainWindow window;
    window.show();
    window.diagramWidget().refresh();
    if (argc > 1)
        std::fprintf(stderr, "sigmora: opening diagram files is not available in this build yet: %s\n", argv[1]);
    return app.exec();
}
