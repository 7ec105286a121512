#include "app/startup/StartUp.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "app/cli/CommandLineHelp.h"
#include "app/platform/AppPaths.h"
#include "app/window/DiagramWidget.h"
#include "app/startup/FileAssociation.h"
#include "app/startup/InstanceHandOff.h"
#include "app/window/MainWindow.h"
#include "app/startup/RecoveryKeeper.h"
#include "app/platform/Preferences.h"
#include "app/startup/SingleInstance.h"
#include "app/window/SplashWindow.h"
#include "app/window/TipOfTheDayDialog.h"

namespace sigmora::app {

namespace {
constexpr const char* kOrganisation = "Kavlon Software";
constexpr const char* kApplication = "Sigmora";
constexpr const char* kShortFile = "Sudden EOF!";
constexpr const char* kAssociationFailed = "Unable to associate files with Sigmora";
constexpr const char* kExtension = ".sgm";
constexpr const char* kTypeName = "Sigmora";
// How long a second start waits for the running one to take its request.
constexpr int kHandOffMilliseconds = 1500;
// A request that comes while a dialog or question is open waits for it to close.
constexpr int kHandOffRetryMilliseconds = 250;

bool onSomeScreen(const QRect& frame)
{
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(frame))
            return true;
    }
    return false;
}
} // namespace

StartUp::StartUp(QApplication& app) : app_(app)
{
    QApplication::setOrganizationName(QString::fromUtf8(kOrganisation));
    QApplication::setApplicationName(QString::fromUtf8(kApplication));
    QApplication::setApplicationVersion(QStringLiteral("3.3.5"));
    QGuiApplication::setDesktopFileName(QStringLiteral("sigmora"));
}

StartUp::~StartUp() = default;

bool StartUp::run()
{
    parseCommandLine();
    instance_ = std::make_unique<SingleInstance>();
    if (!instance_->acquire()) {
        handToRunningInstance();
        return false;
    }
    paths_ = std::make_unique<AppPaths>();
    createWindow();
    placeWindow();
    QDir::setCurrent(paths_->installationDir());
    showTipOfTheDay();
    recovery_ = std::make_unique<RecoveryKeeper>(*window_, RecoveryKeeper::defaultFolder());
    recovery_->offerLeftCopy();
    openFileFromCommandLine();
    associateFiles();
    return true;
}

void StartUp::parseCommandLine()
{
    const QStringList arguments = app_.arguments();
    // main has refused every other option: what is left is the file, after "--" when one ends
    // the options.
    const qsizetype at = arguments.size() > 1 && arguments[1] == QString::fromUtf8(kEndOfOptions) ? 2 : 1;
    if (arguments.size() <= at || arguments[at].isEmpty())
        return;
    startUpDirectory_ = QDir::currentPath();
    commandLineFile_ = QFileInfo(arguments[at]).absoluteFilePath();
}

void StartUp::handToRunningInstance()
{
    if (!InstanceHandOff::send(instance_->socket(), commandLineFile_,
                               kHandOffMilliseconds))
        std::fprintf(stderr, "Sigmora is already running and did not answer.\n");
}

void StartUp::listenForSecondStarts()
{
    handOff_ = std::make_unique<InstanceHandOff>();
    QObject::connect(handOff_.get(), &InstanceHandOff::requested, window_.get(),
                     [this](const QString& file) { takeHandOff(file); });
    if (!handOff_->listen(instance_->socket()))
        std::fprintf(stderr, "Sigmora cannot take files from later starts.\n");
}

void StartUp::takeHandOff(const QString& file)
{
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(kHandOffRetryMilliseconds, window_.get(), [this, file] { takeHandOff(file); });
        return;
    }
    window_->setWindowState((window_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window_->show();
    window_->raise();
    window_->activateWindow();
    if (!file.isEmpty())
        window_->openDocumentFile(file);
}

void StartUp::createWindow()
{
    window_ = std::make_unique<MainWindow>(nullptr, paths_.get());
    listenForSecondStarts();
    if (commandLineFile_.isEmpty()) {
        SplashWindow splash;
        splash.exec();
    }
}

void StartUp::placeWindow()
{
    const PreferencesRead read = readPreferences(paths_->preferencesFile().toStdString());
    if (read.status == PreferencesRead::Status::Short)
        QMessageBox::warning(nullptr, QString::fromUtf8(kApplication), QString::fromUtf8(kShortFile));
    read.preferences.applyTo(window_->editor().diagram().settings);

    FramePlacement placement = placementFrom(read);
    const QRect frame(placement.x, placement.y, placement.width, placement.height);
    if (!placement.maximised && !onSomeScreen(frame))
        placement.maximised = true;
    if (placement.maximised) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            window_->setGeometry(screen->availableGeometry());
        window_->showMaximized();
    } else {
        const FrameMetrics metrics{
            read.preferences[Preferences::CaptionHeight], read.preferences[Preferences::FrameWidth],
            read.preferences[Preferences::FrameHeight]};
        window_->move(placement.x, placement.y);
        window_->resize(placement.width - 2 * metrics.frameWidth,
                        placement.height - 2 * metrics.frameHeight - metrics.captionHeight);
        window_->show();
    }
    window_->diagramWidget().refresh();
    window_->repaint();
}

void StartUp::showTipOfTheDay()
{
    if (!TipOfTheDayDialog::showAtStartUp())
        return;
    TipOfTheDayDialog tip(paths_->dataFile(QStringLiteral("tips.txt")), window_.get());
    tip.exec();
}

void StartUp::openFileFromCommandLine()
{
    if (commandLineFile_.isEmpty())
        return;
    QDir::setCurrent(startUpDirectory_);
    window_->openDocumentFile(commandLineFile_);
}

void StartUp::associateFiles()
{
    FileAssociation association;
    if (!association.registerForUser(QString::fromUtf8(kExtension), QString::fromUtf8(kTypeName),
                                     QCoreApplication::applicationFilePath()))
        QMessageBox::warning(window_.get(), QString::fromUtf8(kApplication), QString::fromUtf8(kAssociationFailed));
}

} // namespace sigmora::app
