#include "app/window/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <cerrno>

#include "app/window/AboutDialog.h"
#include "app/platform/AppPaths.h"
#include "app/window/CommandIcons.h"
#include "app/window/DiagramWidget.h"
#include "app/window/DisabledItemPrompts.h"
#include "app/window/HelpPages.h"
#include "app/window/HelpWindow.h"
#include "app/window/KeyStateIndicators.h"
#include "app/window/MenuBuilder.h"
#include "app/platform/Preferences.h"
#include "app/window/TipOfTheDayDialog.h"
#include "edit/session/CommandIds.h"
#include "edit/files/DroppedFiles.h"
#include "edit/files/FileCommands.h"
#include "edit/files/PictureExports.h"
#include "edit/files/PrintCommands.h"
#include "io/base/FileAccess.h"

// The pictures are compiled into the static application library; a static library's resources
// are registered by hand.
static void initSigmoraResources()
{
    Q_INIT_RESOURCE(sigmora);
}

namespace sigmora::app {

namespace {
namespace cmd = edit::cmd;

constexpr int kIdleUpdateMilliseconds = 250;
constexpr int kStatusNoteMilliseconds = 6000; // how long a note on why nothing happened stays
constexpr int kDefaultWidth = 1024;
constexpr int kDefaultHeight = 700;
constexpr const char* kTableTextProperty = "sigmoraTableText";
// The caption with Qt's mark of unsaved changes after the diagram's name: "name* - Sigmora 3.3.5"
// while the diagram is modified. A "[*]" of the name itself is doubled, which shows it as it is.
QString titleMarkingChanges(const std::string& caption)
{
    QString title = QString::fromStdString(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    const qsizetype versionAt = title.lastIndexOf(QStringLiteral(" - "));
    title.insert(versionAt < 0 ? title.size() : versionAt, QStringLiteral("[*]"));
    return title;
}
} // namespace

MainWindow::MainWindow(edit::UiPort* ui, const AppPaths* paths)
    : ownUi_(ui ? nullptr : std::make_unique<QtUiPort>(this)), ui_(ui ? *ui : *ownUi_), paths_(paths),
      editor_(std::make_unique<edit::Editor>(ui_, measurer_)), router_(std::make_unique<CommandRouter>(*editor_))
{
    initSigmoraResources();
    setObjectName(QStringLiteral("mainWindow"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/sigmora.svg")));
    diagram_ = new DiagramWidget(*editor_, this);
    setCentralWidget(diagram_);
    diagram_->setFocus();
    setAcceptDrops(true);
    editor_->onRefresh = [this] {
        diagram_->refresh();
        if (!updatePending_) {
            updatePending_ = true;
            QTimer::singleShot(0, this, [this] { updateCommandStates(); });
        }
    };
    editor_->onScrollChanged = [this] { diagram_->syncScrollBars(); };
    editor_->onCursorChanged = [this](edit::CursorRole role) { diagram_->showCursor(role); };
    editor_->onStatus = [this](const std::string& text) {
        statusBar()->showMessage(QString::fromStdString(text), kStatusNoteMilliseconds);
    };
    editor_->onTitleChanged = [this](const std::string& title) { setWindowTitle(titleMarkingChanges(title)); };
    if (ownUi_)
        ownUi_->onContextMenu = [this](edit::ContextMenuKind kind, int x, int y) { popupContextMenu(kind, x, y); };
    if (ownUi_) {
        ownUi_->onRecentFile = [this](const std::string& path) {
            recent_.add(QString::fromStdString(path));
            refreshRecentFiles();
        };
        ownUi_->currentDiagram = [this] { return editor_->filePath(); };
    }
    setWindowTitle(titleMarkingChanges(editor_->title()));

    registerFrameCommands();
    edit::registerPrintCommands(*editor_, outputs_);
    edit::registerPictureExports(*editor_, outputs_);
    buildMenus();
    buildContextMenus();
    buildToolbars();
    buildStatusBar();
    buildAccelerators();
    refreshRecentFiles();
    updateCommandStates();

    // Tool-bar buttons follow the commands' states while the program is idle.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &MainWindow::updateCommandStates);
    idle->start(kIdleUpdateMilliseconds);
    // Leaving the program ends a run of nudges: it is an undo step when the user comes back.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            editor_->settleRun();
    });
    resize(kDefaultWidth, kDefaultHeight);
}

MainWindow::~MainWindow()
{
    editor_->onRefresh = nullptr;
    editor_->onScrollChanged = nullptr;
    editor_->onCursorChanged = nullptr;
    // The view holds the editor by reference: it goes before the editor does.
    delete diagram_;
    diagram_ = nullptr;
    editor_->onTitleChanged = nullptr;
}

QAction* MainWindow::action(int command) const
{
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

std::vector<QAction*> MainWindow::actions(int command) const
{
    std::vector<QAction*> found;
    auto [first, last] = actions_.equal_range(command);
    for (auto it = first; it != last; ++it)
        found.push_back(it->second);
    return found;
}

QMenu* MainWindow::contextMenu(ContextMenu menu) const
{
    auto it = contextMenus_.find(menu);
    return it == contextMenus_.end() ? nullptr : it->second;
}

void MainWindow::popupContextMenu(edit::ContextMenuKind kind, int screenX, int screenY)
{
    static constexpr std::pair<edit::ContextMenuKind, ContextMenu> kMenus[] = {
        {edit::ContextMenuKind::Signal, ContextMenu::Signal},
        {edit::ContextMenuKind::Arrow, ContextMenu::Arrow},
        {edit::ContextMenuKind::Label, ContextMenu::Label},
        {edit::ContextMenuKind::Text, ContextMenu::Text},
    };
    for (const auto& [from, to] : kMenus)
        if (from == kind)
            if (QMenu* menu = contextMenu(to))
                menu->popup(QPoint(screenX, screenY));
}

void MainWindow::wireAction(QAction* action, int command)
{
    action->setProperty(kTableTextProperty, action->text());
    if (const CommandInfo* info = commandInfo(command)) {
        action->setStatusTip(QString::fromUtf8(info->prompt));
        action->setToolTip(QString::fromUtf8(info->tip));
    }
    connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    actions_.emplace(command, action);
}

void MainWindow::runCommand(int command)
{
    // Shift held while a menu item or button is chosen repeats the text moves.
    editor_->shiftHeld = QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    router_->execute(command);
    editor_->shiftHeld = false;
    updateCommandStates();
}

void MainWindow::updateCommandStates()
{
    updatePending_ = false;
    setWindowModified(editor_->diagram().modified);
    for (auto& [command, action] : actions_) {
        const edit::CommandState state = router_->state(command);
        action->setEnabled(state.enabled);
        // Only a checked item shows a mark, as in the menus of old; the mark is never a box.
        action->setCheckable(state.checked);
        action->setChecked(state.checked);
        const QString text = state.text ? QString::fromStdString(*state.text)
                                        : action->property(kTableTextProperty).toString();
        if (action->text() != text)
            action->setText(text);
    }
}

void MainWindow::buildMenus()
{
    MenuBuilder builder([this](QAction* action, int command) { wireAction(action, command); });
    builder.fill(menuBar(), mainMenuEntries());
    auto* prompts = new DisabledItemPrompts(this);
    for (QMenu* menu : menuBar()->findChildren<QMenu*>()) {
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommandStates);
        prompts->watch(menu);
    }
    if (QAction* placeholder = action(kRecentFileFirst)) {
        QMenu* file = qobject_cast<QMenu*>(placeholder->parent());
        recentActions_.push_back(placeholder);
        QAction* after = nullptr;
        const QList<QAction*> items = file->actions();
        const qsizetype at = items.indexOf(placeholder);
        if (at + 1 < items.size())
            after = items[at + 1];
        for (int i = 1; i < kRecentFileCount; ++i) {
            auto* entry = new QAction(file);
            file->insertAction(after, entry);
            entry->setData(kRecentFileFirst + i);
            wireAction(entry, kRecentFileFirst + i);
            recentActions_.push_back(entry);
        }
        connect(file, &QMenu::aboutToShow, this, &MainWindow::refreshRecentFiles);
    }
}

void MainWindow::buildContextMenus()
{
    MenuBuilder builder([this](QAction* action, int command) { wireAction(action, command); });
    for (ContextMenu which : kContextMenus) {
        QMenu* menu = builder.popup(contextMenuEntries(which), this);
        contextMenus_[which] = menu;
        (new DisabledItemPrompts(this))->watch(menu);
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommandStates);
        for (QMenu* sub : menu->findChildren<QMenu*>())
            connect(sub, &QMenu::aboutToShow, this, &MainWindow::updateCommandStates);
    }
}

void MainWindow::buildToolbars()
{
    for (const ToolbarSpec& layout : toolbarSpecs()) {
        auto* bar = new QToolBar(QString::fromUtf8(layout.title), this);
        bar->setObjectName(QString::fromUtf8(layout.objectName));
        bar->setIconSize(QSize(layout.imageWidth, layout.imageHeight));
        bar->setAllowedAreas(Qt::AllToolBarAreas);
        for (int command : layout.buttons) {
            if (command == 0) {
                bar->addSeparator();
                continue;
            }
            QAction* a = action(command);
            a->setIcon(commandIcon(command));
            bar->addAction(a);
        }
        addToolBar(layout.dock == ToolbarSpec::Dock::Left ? Qt::LeftToolBarArea : Qt::TopToolBarArea, bar);
    }
    // Icons belong to the tool bars; the menus show text only.
    for (auto& [command, a] : actions_)
        a->setIconVisibleInMenu(false);
}

void MainWindow::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    connect(bar, &QStatusBar::messageChanged, this, [bar](const QString& message) {
        if (message.isEmpty())
            bar->showMessage(QString::fromUtf8(kIdleMessage));
    });
    bar->showMessage(QString::fromUtf8(kIdleMessage));
    keyStates_ = new KeyStateIndicators(bar);
}

void MainWindow::buildAccelerators()
{
    // The keys live on window actions of their own: a menu item shows only the shortcut text its
    // table gives it ("Save" shows none, "&Copy\tCtrl+C" shows its own).
    for (const Accelerator& accelerator : accelerators()) {
        auto* key = new QAction(this);
        key->setData(accelerator.command);
        wireAction(key, accelerator.command);
        key->setShortcut(QKeySequence(QString::fromUtf8(accelerator.keys)));
        addAction(key);
    }
}

void MainWindow::registerFrameCommands()
{
    edit::CommandRegistry& frame = router_->frameCommands();
    // Closing asks about unsaved changes; Cancel keeps the window.
    frame.add(cmd::AppExit, [this] { close(); });
    for (int command : {cmd::HelpUsersGuide, cmd::HelpFaq, cmd::HelpReportBug, cmd::HelpCheckUpdates})
        frame.add(command, [this, command] { showHelp(command); });
    for (int command : {framecmd::Help, framecmd::ContextHelp})
        frame.add(command, [this] { showHelp(cmd::HelpUsersGuide); });
    for (int command : {framecmd::NextPane, framecmd::PreviousPane})
        frame.add(command, [this] { diagram_->setFocus(); });
    frame.add(cmd::AppAbout, [this] {
        AboutDialog about(this);
        about.exec();
    });
    frame.add(cmd::TipOfTheDay, [this] { showTipOfTheDay(); });
    // Verilog import and test-bench export are not built: without a handler their items are
    // disabled, and their status-bar prompts say so.
    registerRecentFileCommands();
}

void MainWindow::registerRecentFileCommands()
{
    for (int i = 0; i < kRecentFileCount; ++i) {
        router_->frameCommands().add(
            kRecentFileFirst + i, [this, i] { openRecentFile(i); },
            [this, i](edit::CommandState& s) { s.enabled = i < recent_.paths().size() && canOpenDocumentFile(); });
    }
}

bool MainWindow::canOpenDocumentFile() const
{
    return editor_->handles(cmd::FileOpen);
}

bool MainWindow::openDocumentFile(const QString& path)
{
    if (!canOpenDocumentFile())
        return false;
    editor_->openNamedFile(path.toStdString());
    updateCommandStates();
    return editor_->filePath() == path.toStdString();
}

void MainWindow::refreshRecentFiles()
{
    const QStringList& paths = recent_.paths();
    for (int i = 0; i < int(recentActions_.size()); ++i) {
        QAction* entry = recentActions_[i];
        QString text;
        if (i < paths.size())
            text = RecentFiles::menuText(i, paths[i]);
        else if (i == 0)
            text = QStringLiteral("Recent File");
        entry->setProperty(kTableTextProperty, text);
        entry->setText(text);
        entry->setStatusTip(i < paths.size() ? QStringLiteral("Open %1").arg(paths[i])
                                             : QStringLiteral("No diagram has been opened or saved yet"));
        entry->setVisible(i == 0 || i < paths.size());
    }
    updateCommandStates();
}

void MainWindow::openRecentFile(int index)
{
    if (index >= recent_.paths().size() || !canOpenDocumentFile())
        return;
    const QString path = recent_.paths()[index];
    if (!openDocumentFile(path))
        recent_.remove(path);
    refreshRecentFiles();
}

void MainWindow::showHelp(int command)
{
    const QUrl page = paths_ ? HelpPages(*paths_).url(command) : QUrl();
    if (page.isEmpty()) {
        ui_.showMessage("The Sigmora User's Guide is not installed.", "Sigmora", edit::MessageIcon::Warning);
        return;
    }
    if (HelpPages::openInBrowser(page))
        return;
    if (!help_)
        help_ = new HelpWindow(this);
    help_->showPage(page);
}

void MainWindow::showTipOfTheDay()
{
    const QString tips = paths_ ? paths_->dataFile(QStringLiteral("tips.txt")) : QStringLiteral("tips.txt");
    TipOfTheDayDialog dialog(tips, this);
    dialog.exec();
}

bool MainWindow::askToSaveChanges()
{
    if (!edit::askToSaveChanges(*editor_))
        return false;
    // Changes the user chose not to save are no longer unsaved.
    editor_->diagram().modified = false;
    return true;
}

FrameMetrics MainWindow::frameMetrics() const
{
    FrameMetrics m;
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    m.frameWidth = inner.left() - outer.left();
    m.frameHeight = outer.bottom() - inner.bottom();
    m.captionHeight = inner.top() - outer.top() - m.frameHeight;
    const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
    if (where) {
        m.screenWidth = where->geometry().width();
        m.screenHeight = where->geometry().height();
    }
    m.menuHeight = menuBar()->isVisible() ? menuBar()->height() : 0;
    m.clientLeft = inner.left();
    m.clientTop = inner.top() + m.menuHeight;
    m.clientWidth = inner.width();
    m.clientHeight = inner.height() - m.menuHeight;
    m.windowMaximised = isMaximized();
    return m;
}

void MainWindow::writePreferences()
{
    if (!paths_)
        return;
    Preferences preferences = placementValues(frameMetrics());
    preferences.takeFrom(editor_->diagram().settings);
    const std::string file = paths_->preferencesFile().toStdString();
    errno = 0;
    if (!app::writePreferences(file, preferences)) {
        const int reason = errno;
        ui_.showMessage(std::string(kPreferencesWriteError) + "\n" + io::fileProblem(file, reason), "Sigmora",
                        edit::MessageIcon::Error);
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!askToSaveChanges()) {
        event->ignore();
        return;
    }
    writePreferences();
    event->accept();
}

// A diagram, or a file an import reads, dragged over the window may be dropped; it opens as
// through Open or that import, with their questions.
void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop ends before the questions and dialogs of the command come up.
    QTimer::singleShot(0, this, [this, path] {
        edit::openDroppedFile(*editor_, path.toStdString());
        updateCommandStates();
    });
}

QString MainWindow::droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return {};
    const QString path = data->urls().front().toLocalFile();
    return edit::readingCommandFor(path.toStdString()) ? path : QString();
}

} // namespace sigmora::app
