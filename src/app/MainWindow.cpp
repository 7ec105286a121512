#include "app/MainWindow.h"

#include <QAction>
#include <QMenuBar>

#include "app/DiagramWidget.h"
#include "edit/CommandIds.h"

namespace sigmora::app {

namespace cmd = edit::cmd;

MainWindow::MainWindow() : ui_(this), editor_(std::make_unique<edit::Editor>(ui_, measurer_))
{
    diagram_ = new DiagramWidget(*editor_, this);
    setCentralWidget(diagram_);
    editor_->onRefresh = [this] { diagram_->refresh(); };
    editor_->onScrollChanged = [this] { diagram_->syncScrollBars(); };
    editor_->onTitleChanged = [this](const std::string& title) { setWindowTitle(QString::fromStdString(title)); };
    setWindowTitle(QString::fromStdString(editor_->title()));
    buildMenus();
    resize(1024, 700);
}

MainWindow::~MainWindow()
{
    editor_->onRefresh = nullptr;
    editor_->onScrollChanged = nullptr;
    editor_->onTitleChanged = nullptr;
}

QAction* MainWindow::action(int command) const
{
    auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::addCommand(QMenu* menu, int command, const QString& text, bool checkable)
{
    QAction* a = menu->addAction(text);
    a->setData(command);
    a->setCheckable(checkable);
    connect(a, &QAction::triggered, this, [this, command] { runCommand(command); });
    actions_[command] = a;
    return a;
}

void MainWindow::runCommand(int command)
{
    if (command == cmd::AppExit) {
        close();
        return;
    }
    editor_->execute(command);
    updateCommandStates();
}

void MainWindow::updateCommandStates()
{
    for (auto& [command, a] : actions_) {
        if (command == cmd::AppExit)
            continue;
        auto state = editor_->commandState(command);
        a->setEnabled(state && state->enabled);
        if (state && a->isCheckable())
            a->setChecked(state->checked);
    }
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(file, cmd::FileNew, QStringLiteral("&New"));
    file->addSeparator();
    addCommand(file, cmd::AppExit, QStringLiteral("E&xit"));

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    addCommand(view, cmd::SignalSeparator, QStringLiteral("Signal Separator"), true);
    addCommand(view, cmd::WaveformSeparator, QStringLiteral("Waveform Separator"), true);
    QMenu* justify = view->addMenu(QStringLiteral("Signal Name Justification"));
    addCommand(justify, cmd::NamesLeftJustified, QStringLiteral("Left Justified"), true);
    addCommand(justify, cmd::NamesRightJustified, QStringLiteral("Right Justified"), true);
    QMenu* labels = view->addMenu(QStringLiteral("Clock Cycle Labels"));
    addCommand(labels, cmd::CycleLabelsVisible, QStringLiteral("&Visible"), true);
    QMenu* lines = view->addMenu(QStringLiteral("Clock Period Lines"));
    addCommand(lines, cmd::PeriodLinesNone, QStringLiteral("No Period Lines"), true);
    addCommand(lines, cmd::PeriodLinesBoth, QStringLiteral("Both edges"), true);
    addCommand(lines, cmd::PeriodLinesRising, QStringLiteral("Rising edge only"), true);
    addCommand(lines, cmd::PeriodLinesFalling, QStringLiteral("Falling edge only"), true);
    addCommand(lines, cmd::PeriodLinesCenter, QStringLiteral("Center"), true);
    addCommand(lines, cmd::PeriodLinesCustomize, QStringLiteral("Customize..."));
    addCommand(lines, cmd::PeriodLinesDotted, QStringLiteral("Dotted"), true);
    addCommand(lines, cmd::PeriodLinesSolid, QStringLiteral("Solid"), true);
    QMenu* own = lines->addMenu(QStringLiteral("Each Clock has its own period (signals under it align to clock)"));
    addCommand(own, cmd::OwnPeriodYes, QStringLiteral("yes"), true);
    addCommand(own, cmd::OwnPeriodNo, QStringLiteral("no"), true);
    QMenu* defaults = view->addMenu(QStringLiteral("Change Default Values"));
    addCommand(defaults, cmd::NewSignalsHigh, QStringLiteral("new signals default to '1'"), true);
    addCommand(defaults, cmd::NewSignalsLow, QStringLiteral("new signals default to '0'"), true);

    QMenu* add = menuBar()->addMenu(QStringLiteral("&Add"));
    addCommand(add, cmd::AddClock, QStringLiteral("&Clock"));
    addCommand(add, cmd::AddSignal, QStringLiteral("&Signal"));
    addCommand(add, cmd::AddBus, QStringLiteral("&Bus"));

    for (QMenu* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &MainWindow::updateCommandStates);
    updateCommandStates();
}

} // namespace sigmora::app
