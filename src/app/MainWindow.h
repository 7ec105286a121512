#pragma once

#include <QMainWindow>
#include <memory>

#include "app/QtTextMeasurer.h"
#include "app/QtUiPort.h"
#include "edit/Editor.h"

class QAction;
class QMenu;

namespace sigmora::app {

class DiagramWidget;

// The main window: the diagram view, the menus, and the routing of commands to the editor.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    edit::Editor& editor() { return *editor_; }
    DiagramWidget& diagramWidget() { return *diagram_; }
    // The action of a command, or nullptr.
    QAction* action(int command) const;
    // Asks every action's handler for its enabled, checked and text state.
    void updateCommandStates();

private:
    void buildMenus();
    QAction* addCommand(QMenu* menu, int command, const QString& text, bool checkable = false);
    void runCommand(int command);

    QtUiPort ui_;
    QtTextMeasurer measurer_;
    std::unique_ptr<edit::Editor> editor_;
    DiagramWidget* diagram_ = nullptr;
    std::map<int, QAction*> actions_;
};

} // namespace sigmora::app
