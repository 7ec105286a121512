// Prints, for a main window of the given size, the centre of a tool-bar button and the rectangle
// of the diagram view, in window coordinates: "buttonX buttonY viewX viewY viewWidth viewHeight".
#include <QAction>
#include <QApplication>
#include <QToolBar>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

#include "app/window/DiagramWidget.h"
#include "app/window/MainWindow.h"

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: e2e_locate COMMAND WIDTH HEIGHT\n");
        return 2;
    }
    const int command = std::atoi(argv[1]);
    sigmora::app::MainWindow window;
    window.resize(std::atoi(argv[2]), std::atoi(argv[3]));
    window.show();
    app.processEvents();
    QAction* action = window.action(command);
    QWidget* button = nullptr;
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        if (bar->actions().contains(action))
            button = bar->widgetForAction(action);
    }
    if (!button) {
        std::fprintf(stderr, "no tool-bar button for command %d\n", command);
        return 1;
    }
    const QPoint centre = button->mapTo(&window, button->rect().center());
    QWidget& view = window.diagramWidget();
    const QPoint viewTopLeft = view.mapTo(&window, QPoint(0, 0));
    std::printf("%d %d %d %d %d %d\n", centre.x(), centre.y(), viewTopLeft.x(), viewTopLeft.y(), view.width(),
                view.height());
    return 0;
}
