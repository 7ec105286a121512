#pragma once

#include <string>

namespace sigmora::app {

// "sigmora --help" and "sigmora --version": a summary of every command-line form, and the
// version. Both are answered before any application object exists, so they need no display.

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

} // namespace sigmora::app
