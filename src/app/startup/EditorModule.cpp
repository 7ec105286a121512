#include <QApplication>
#include <QList>
#include <QString>
#include <cstdlib>
#include <memory>
#include <utility>

#include "app/cli/TerminalText.h"
#include "app/startup/EditorModule.h"
#include "app/startup/StartUp.h"

namespace {

// What Qt says while it looks for the display, held back: when there is none, Qt ends the
// program with several lines and a core dump; the user gets one line instead. When a display is
// found, what was held back is passed on as Qt would have printed it.
struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};
QList<HeldMessage> heldMessages;

// The category Qt's platform plugins speak under ("qt.qpa.xcb: could not connect to display").
constexpr QLatin1StringView kPlatformCategory("qt.qpa");

void holdWhileLookingForTheDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg) {
        heldMessages.append({type, QString::fromUtf8(context.category ? context.category : ""), text});
        return;
    }
    QString reason;
    for (const HeldMessage& held : std::as_const(heldMessages)) {
        if (held.category.startsWith(kPlatformCategory)) {
            reason = held.text.trimmed();
            break;
        }
    }
    sigmora::app::printProblem("no display to open the window on" +
                               (reason.isEmpty() ? std::string() : " (" + reason.toStdString() + ")") +
                               "; sigmora --convert needs none");
    std::_Exit(1);
}

// Makes the application object, which connects to the display.
std::unique_ptr<QApplication> applicationOnTheDisplay(int& argc, char* argv[])
{
    const QtMessageHandler qtHandler = qInstallMessageHandler(holdWhileLookingForTheDisplay);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(qtHandler);
    for (const HeldMessage& held : std::as_const(heldMessages)) {
        const QByteArray category = held.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.isEmpty() ? nullptr : category.constData());
        qt_message_output(held.type, context, held.text);
    }
    heldMessages.clear();
    return app;
}

} // namespace

// The window's side of the program: the executable loads this module when it opens the window.
extern "C" int sigmoraRunEditor(int argc, char* argv[])
{
    const std::unique_ptr<QApplication> app = applicationOnTheDisplay(argc, argv);
    sigmora::app::StartUp startUp(*app);
    if (!startUp.run())
        return 0; // another Sigmora runs: end silently
    return app->exec();
}
