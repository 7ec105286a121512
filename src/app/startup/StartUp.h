#pragma once

#include <QString>
#include <memory>

class QApplication;

namespace sigmora::app {

class AppPaths;
class InstanceHandOff;
class MainWindow;
class RecoveryKeeper;
class SingleInstance;

// Starts Sigmora, in this order: the settings location, the command line, the single-instance
// guard (a second start hands its file to the running window and ends), the main window with the splash picture, the preferences file and the window placement,
// the installation directory as current directory, the tip of the day, the diagram named on the
// command line, and the file association.
class StartUp {
public:
    explicit StartUp(QApplication& app);
    ~StartUp();
    StartUp(const StartUp&) = delete;
    StartUp& operator=(const StartUp&) = delete;

    // Runs start-up; false when another instance runs and this one must end without a window
    // (it has handed its command-line file, or the wish to come forward, to that instance).
    bool run();

    MainWindow* window() const { return window_.get(); }
    // The diagram named on the command line, as an absolute path; empty when none was named.
    const QString& commandLineFile() const { return commandLineFile_; }

private:
    void parseCommandLine();
    void handToRunningInstance();
    void listenForSecondStarts();
    // A second start's request: come forward, then open its file as Open does.
    void takeHandOff(const QString& file);
    void createWindow();
    void placeWindow();
    void showTipOfTheDay();
    void openFileFromCommandLine();
    void associateFiles();

    QApplication& app_;
    std::unique_ptr<AppPaths> paths_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<InstanceHandOff> handOff_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<RecoveryKeeper> recovery_; // after the window: it goes first
    QString commandLineFile_;
    QString startUpDirectory_;
};

} // namespace sigmora::app
