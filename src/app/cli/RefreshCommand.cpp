#include "app/cli/RefreshCommand.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/cli/CommandLineHelp.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/TerminalText.h"
#include "app/platform/QtTextMeasurer.h"
#include "edit/exchange/DumpRefresh.h"
#include "io/base/FileAccess.h"
#include "io/dump/DumpTime.h"
#include "io/exchange/ImportFiles.h"
#include "io/native/NativeFileWriter.h"

namespace sigmora::app {

namespace {

constexpr int kExitFailed = 1;
constexpr const char* kUsage = "usage: sigmora --refresh DIAGRAM.sgm [NEW.vcd|NEW.fst] [--from T] [--to T]";

struct RefreshLine {
    std::string diagram;
    std::string dump;
    std::string fromText, toText;
};

bool parse(int argc, char* argv[], RefreshLine& line, std::string& error)
{
    if (argc < 3)
        return false;
    line.diagram = argv[2];
    int k = 3;
    if (k < argc && std::strncmp(argv[k], "--", 2) != 0)
        line.dump = argv[k++];
    for (; k < argc; k += 2) {
        const std::string option = argv[k];
        if (option != "--from" && option != "--to") {
            error = "unknown option " + option;
            return false;
        }
        if (k + 1 >= argc) {
            error = option + " needs a time";
            return false;
        }
        (option == "--from" ? line.fromText : line.toText) = argv[k + 1];
    }
    return true;
}

// --from or --to as a time of the dump, whose header gives its unit.
bool windowTime(const std::string& option, const std::string& text, const std::string& timescale,
                std::optional<long long>& time, std::string& error)
{
    if (text.empty())
        return true;
    const io::DumpTimeText read = io::dumpTimeFromText(text, timescale);
    if (!read.time) {
        error = option + " " + text + ": " + read.problem;
        return false;
    }
    time = read.time;
    return true;
}

bool refresh(const RefreshLine& line, std::string& error)
{
    model::Diagram diagram;
    std::vector<std::string> notes;
    if (!readConversionInput(line.diagram, {}, diagram, error, notes))
        return false;
    if (diagram.extension.dump.empty()) {
        error = line.diagram + ": " + edit::kNoDumpSource;
        return false;
    }
    edit::RefreshRequest request;
    request.dumpPath = line.dump;
    if (!line.fromText.empty() || !line.toText.empty()) {
        const io::VcdSurvey header = io::readVcdHeaderFile(line.dump.empty() ? diagram.extension.dump.path : line.dump);
        if (!header.ok) {
            error = header.error;
            return false;
        }
        if (!windowTime("--from", line.fromText, header.timescale, request.from, error) ||
            !windowTime("--to", line.toText, header.timescale, request.to, error))
            return false;
    }
    const QtTextMeasurer measurer;
    const edit::RefreshResult result = edit::refreshFromDump(diagram, request, measurer);
    if (!result.ok) {
        error = result.error;
        return false;
    }
    for (const std::string& note : result.notes)
        printProblem(note);
    for (const std::string& note : result.unplaced)
        printProblem(note);
    const io::WriteResult written = io::writeFileReplacing(line.diagram, io::nativeFileBytes(diagram));
    if (written == io::WriteError::None)
        return true;
    error = "cannot write " + line.diagram + "\n" + io::fileProblem(line.diagram, written.systemError);
    return false;
}

} // namespace

bool isRefreshCommand(int argc, char* argv[])
{
    return argc >= 2 && std::strcmp(argv[1], kRefreshOption) == 0;
}

int runRefreshCommand(int argc, char* argv[])
{
    RefreshLine line;
    std::string error;
    if (!parse(argc, argv, line, error)) {
        if (!error.empty())
            printProblem(error);
        printProblem(kUsage);
        return kExitUsage;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietQtMessages);
    QGuiApplication app(argc, argv);
    if (!refresh(line, error)) {
        printProblem(error);
        return kExitFailed;
    }
    return 0;
}

} // namespace sigmora::app
