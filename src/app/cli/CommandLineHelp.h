#pragma once

#include <string>

namespace sigmora::app {

// "sigmora --help" and "sigmora --version": a summary of every command-line form, and the
// version. Both are answered before any application object exists, so they need no display.
// And the check of the editor's command line ("sigmora [FILE]"), made before a window is opened.

inline constexpr const char* kHelpOption = "--help";
inline constexpr const char* kVersionOption = "--version";

// The summary "--help" prints.
std::string usageText();
// What "--version" prints: the title-and-version text.
std::string versionText();

// True when the command line is "--help" or "--version" (as its first argument).
bool isHelpOrVersion(int argc, char* argv[]);
// Prints the summary or the version on standard output; answers the exit status (0).
int printHelpOrVersion(int argc, char* argv[]);

// The exit status of a wrong command line.
inline constexpr int kExitUsage = 2;
// The lines printed under a refused command line.
inline constexpr const char* kShortUsage =
    "Usage: sigmora [FILE]\n       sigmora --convert IN OUT [OPTIONS]   (sigmora --help tells more)\n";
// "--" ends the options: the argument after it is a file even when it starts with "-".
inline constexpr const char* kEndOfOptions = "--";

// The first argument of the editor's command line that starts with "-" and is neither "--" nor
// one of the options Qt takes for its window (-platform NAME, -style NAME, -display NAME, ...);
// empty when there is none. Arguments after "--" are files.
std::string unknownEditorOption(int argc, char* argv[]);

} // namespace sigmora::app
