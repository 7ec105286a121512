#include "app/cli/CommandLineHelp.h"

#include <cstdio>
#include <cstring>

#include "edit/Editor.h"

namespace sigmora::app {

namespace {
constexpr const char* kUsage = R"(Usage: sigmora [FILE]
       sigmora --convert IN OUT [--clock NAME] [--signals A,B,...] [--from T] [--to T]
       sigmora --help
       sigmora --version

An editor for digital timing diagrams.

  sigmora [FILE]       Opens the editor, with the diagram FILE when one is named. When the
                       editor already runs, FILE is handed to it and no second window opens.
  --convert IN OUT     Reads IN by its extension (.sgm or any other name: a Sigmora diagram;
                       .svg, .xml, .csv, .json, .vcd) and writes OUT by its extension (.sgm,
                       .png, .bmp, .pdf, .emf, .wmf, .svg, .xml, .csv, .txt, .json), without a
                       window or a display. Exits with 0 on success, 1 when IN cannot be read
                       or OUT not written, 2 for a wrong command line.
    --clock NAME       For a .vcd input: the clock signal (default: a 1-bit signal named like
                       clk, else the one that changes most).
    --signals A,B,...  For a .vcd input: the signals to read (default: all, up to 255).
    --from T, --to T   For a .vcd input: the time window, in the dump's time unit.
  --help               Shows this summary.
  --version            Shows the version.
)";
} // namespace

std::string usageText()
{
    return kUsage;
}

std::string versionText()
{
    return std::string(edit::kTitleAndVersion) + "\n";
}

bool isHelpOrVersion(int argc, char* argv[])
{
    return argc >= 2 && (std::strcmp(argv[1], kHelpOption) == 0 || std::strcmp(argv[1], kVersionOption) == 0);
}

int printHelpOrVersion(int, char* argv[])
{
    const std::string text = std::strcmp(argv[1], kHelpOption) == 0 ? usageText() : versionText();
    std::fputs(text.c_str(), stdout);
    return 0;
}

} // namespace sigmora::app
