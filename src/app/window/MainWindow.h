#pragma once

#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/window/CommandRouter.h"
#include "app/window/CommandTable.h"
#include "app/platform/QtOutputDevices.h"
#include "app/platform/QtTextMeasurer.h"
#include "app/platform/QtUiPort.h"
#include "app/window/RecentFiles.h"
#include "edit/Editor.h"

class QAction;
class QMimeData;
class QMenu;
class QToolBar;

namespace sigmora::app {

class AppPaths;
class DiagramWidget;
class HelpWindow;
class KeyStateIndicators;
struct FrameMetrics;

// The main window: the diagram view, the menu bar, the four context menus, the three tool bars,
// the status bar, and the routing of every command to the editor first and to the window second.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kIdleMessage = "For Help, press F1";
    static constexpr const char* kPreferencesWriteError = "Error saving file";

    // ui: where the editor's and the window's questions go; the window's own message boxes when
    // nullptr. paths: where the user's guide, the tips and the preferences file are; without
    // them the Help pages and the tips file are not found and no preferences file is written.
    explicit MainWindow(edit::UiPort* ui = nullptr, const AppPaths* paths = nullptr);
    ~MainWindow() override;

    edit::Editor& editor() { return *editor_; }
    DiagramWidget& diagramWidget() { return *diagram_; }
    CommandRouter& router() { return *router_; }
    RecentFiles& recentFiles() { return recent_; }

    // The menu-bar (or, failing that, context-menu) action of a command, or nullptr.
    QAction* action(int command) const;
    // Every action of a command: menu items, context-menu items.
    std::vector<QAction*> actions(int command) const;
    QMenu* contextMenu(ContextMenu menu) const;
    // Pops up the context menu the editor asks for at a screen point.
    void popupContextMenu(edit::ContextMenuKind kind, int screenX, int screenY);

    // Runs a command as a menu item, button or key would.
    void runCommand(int command);
    // Asks every action for its enabled, checked and text state.
    void updateCommandStates();

    // Opens a named diagram without the file dialog, as the recent-file list does; true when
    // the diagram is now the open one.
    bool openDocumentFile(const QString& path);

    // The window as it stands now, for the preferences file.
    FrameMetrics frameMetrics() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildContextMenus();
    void buildToolbars();
    void buildStatusBar();
    void buildAccelerators();
    void registerFrameCommands();
    void registerRecentFileCommands();
    void wireAction(QAction* action, int command);
    void refreshRecentFiles();
    void openRecentFile(int index);
    bool canOpenDocumentFile() const;
    // Asks to save unsaved changes (Yes, No, Cancel); false when closing is abandoned. After No
    // the changes count as settled.
    bool askToSaveChanges();
    // The one local file a drag carries that a command reads, else empty.
    static QString droppedFile(const QMimeData* data);
    void writePreferences();
    void showTipOfTheDay();
    void showHelp(int command);

    std::unique_ptr<QtUiPort> ownUi_;
    edit::UiPort& ui_;
    const AppPaths* paths_;
    QtTextMeasurer measurer_;
    QtOutputDevices outputs_{this};
    std::unique_ptr<edit::Editor> editor_;
    std::unique_ptr<CommandRouter> router_;
    RecentFiles recent_;
    DiagramWidget* diagram_ = nullptr;
    KeyStateIndicators* keyStates_ = nullptr;
    HelpWindow* help_ = nullptr; // the built-in help window, made when first needed
    std::multimap<int, QAction*> actions_;
    std::map<ContextMenu, QMenu*> contextMenus_;
    std::vector<QAction*> recentActions_;
    bool updatePending_ = false;
};

} // namespace sigmora::app
