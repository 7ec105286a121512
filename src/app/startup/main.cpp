#include <dlfcn.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "app/cli/BatchConvert.h"
#include "app/cli/CommandLineHelp.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/DiagramText.h"
#include "app/cli/RefreshCommand.h"
#include "app/cli/TerminalText.h"
#include "app/startup/EditorModule.h"

namespace {

// The folder this program was started from, as the system names it.
std::string programFolder()
{
    std::vector<char> path(4096);
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return ".";
    const std::string program(path.data(), static_cast<std::size_t>(length));
    const std::size_t slash = program.rfind('/');
    return slash == std::string::npos ? "." : program.substr(0, slash);
}

// Loads the editor module: beside the program in a build tree, else where the installation puts
// it. Answers its entry point, or nothing with the reasons in problems.
using EditorEntry = int (*)(int, char*[]);
EditorEntry loadEditor(std::string& problems)
{
    const std::string folder = programFolder();
    for (const std::string& candidate : {folder + "/" + kEditorModuleName,
                                         folder + "/" + SIGMORA_EDITOR_FOLDER_FROM_PROGRAM + "/" + kEditorModuleName}) {
        if (::access(candidate.c_str(), F_OK) != 0)
            continue;
        void* module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            problems += std::string("\n") + ::dlerror();
            continue;
        }
        if (auto* entry = reinterpret_cast<EditorEntry>(::dlsym(module, kEditorEntryPoint)))
            return entry;
        problems += "\n" + candidate + " has no " + kEditorEntryPoint;
    }
    if (problems.empty())
        problems = "\n" + std::string(kEditorModuleName) + " is neither in " + folder + " nor in " + folder + "/" +
                   SIGMORA_EDITOR_FOLDER_FROM_PROGRAM;
    return nullptr;
}

} // namespace

int main(int argc, char* argv[])
{
    // A write past the user's file-size limit (ulimit -f) fails with "File too large" and is
    // reported like any failed write, instead of killing the program halfway through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    // "sigmora --help" and "sigmora --version" print and end: no display is needed.
    if (sigmora::app::isHelpOrVersion(argc, argv))
        return sigmora::app::printHelpOrVersion(argc, argv);
    // "sigmora --convert IN OUT" runs without a window, before any application object exists,
    // and without loading the window's libraries.
    if (sigmora::app::isConvertCommand(argc, argv))
        return sigmora::app::runConvertCommand(argc, argv);
    // "sigmora --convert-to FORMATS FILE...": many files in one run, the same way.
    if (sigmora::app::isConvertToCommand(argc, argv))
        return sigmora::app::runConvertToCommand(argc, argv);
    // "sigmora --refresh DIAGRAM [DUMP]": the imported rows drawn anew from their dump.
    if (sigmora::app::isRefreshCommand(argc, argv))
        return sigmora::app::runRefreshCommand(argc, argv);
    // "sigmora --text FILE": the diagram as lines of text, for git diff.
    if (sigmora::app::isTextCommand(argc, argv))
        return sigmora::app::runTextCommand(argc, argv);
    // "sigmora --bogus" is refused before a window or a display is looked for.
    if (const std::string unknown = sigmora::app::unknownEditorOption(argc, argv); !unknown.empty()) {
        sigmora::app::printProblem("unknown option " + unknown);
        std::fputs(sigmora::app::kShortUsage, stderr);
        return sigmora::app::kExitUsage;
    }
    std::string problems;
    const EditorEntry runEditor = loadEditor(problems);
    if (runEditor == nullptr) {
        sigmora::app::printProblem("the editor cannot be loaded:" + problems);
        return 1;
    }
    return runEditor(argc, argv);
}
