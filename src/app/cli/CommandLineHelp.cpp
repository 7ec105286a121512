#include "app/cli/CommandLineHelp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "edit/files/FileFormats.h"
#include "edit/session/Session.h"

namespace sigmora::app {

namespace {
constexpr const char* kUsageStart = R"(Usage: sigmora [FILE]
       sigmora --convert IN OUT [--clock NAME] [--signals A,B,...] [--from T] [--to T]
                               [--half-period TIME]
       sigmora --convert IN OUT.csv|OUT.md|OUT.html --parameters
       sigmora --convert-to FORMAT[,FORMAT...] [--outdir DIR] [--jobs N] FILE...
       sigmora --text FILE
       sigmora --refresh DIAGRAM.sgm [NEW.vcd|NEW.fst] [--from T] [--to T]
       sigmora --help
       sigmora --version

An editor for digital timing diagrams.

  sigmora [FILE]       Opens the editor, with the diagram FILE when one is named. When the
                       editor already runs, FILE is handed to it and no second window opens.
                       A FILE whose name starts with "-" follows "--" (sigmora -- -a.sgm); any
                       other option is refused (exit status 2).
)";
// The paragraph of --convert is made from the table of formats, so that it names every one.
constexpr const char* kUsageBatch = R"(  --convert-to FORMAT[,FORMAT...] FILE...
                       Converts every FILE (anything --convert reads) to each FORMAT (svg,
                       png, .pdf, ...), named after FILE, beside it or in the folder
                       --outdir DIR, shared out among one worker a core (--jobs N: N
                       workers). A file that fails prints one line (its path and the
                       reason), the others are still converted, and the exit status is 1.
  --text FILE          Writes the diagram as text on standard output, one line a setting,
                       a row and an annotation: git's textconv for diagrams
                       (git config diff.sigmora.textconv 'sigmora --text').
  --refresh DIAGRAM.sgm [DUMP]
                       Draws the rows of a diagram imported from a dump anew from that dump
                       (or from DUMP, a .vcd or .fst), in the window it was imported with or
                       --from T --to T, every arrow, label, text and flood on its row's edge;
                       writes the diagram in place and lists what could not follow.
  --help               Shows this summary.
  --version            Shows the version.
)";
constexpr const char* kUsageEnd = R"(    --clock NAME       For a .vcd or .fst input: the clock signal (default: a 1-bit signal
                       named like clk, else the one that changes most).
    --signals A,B,...  For a .vcd or .fst input: the signals to read (default: all, up to
                       255).
    --from T, --to T   For a .vcd or .fst input: the time window, in the dump's time unit or
                       with a unit of its own (460ns, 2.5us).
    --half-period TIME For a .vcd, .v or .vhd output: the time of one cell, a number and fs,
                       ps, ns, us, ms or s (default: the diagram's time base, else 5ns).
    --output-delay T   For a .v or .vhd output: how long after a clock edge the other rows
                       change (default: each row's drawn slant, at least 1 ps).
    --parameters       Writes the diagram's table of timing parameters alone, for a
                       datasheet: OUT ends in .csv, .md (Markdown) or .html.
)";

// The options Qt reads from the command line of a window, and whether each takes a value; Qt
// takes them with one dash or two.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOptions[] = {
    {"platform", true}, {"platformpluginpath", true}, {"platformtheme", true}, {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true}, {"qwindowtitle", true}, {"reverse", false},
    {"session", true}, {"display", true}, {"name", true}, {"title", true}, {"visual", true}, {"geometry", true},
    {"style", true}, {"stylesheet", true}, {"widgetcount", false}, {"nograb", false}, {"dograb", false},
    {"sync", false}, {"qmljsdebugger", true},
};

constexpr std::size_t kLineWidth = 94;
constexpr std::size_t kDescriptionColumn = 23;

// The extensions of the formats --convert reads (beside the native file) or writes.
std::string extensionList(bool reads)
{
    std::string list;
    for (const edit::FileFormat& f : edit::fileFormats()) {
        if (f.format == edit::Format::Native ? !reads && f.convertWrites : reads ? f.convertReads : f.convertWrites)
            list += (list.empty() ? "" : ", ") + std::string(f.extension);
    }
    return list;
}

// The words of text laid out in the description column, each line at most kLineWidth long.
std::string described(const std::string& option, const std::string& text)
{
    std::string out = "  " + option;
    out.resize(kDescriptionColumn, ' ');
    std::size_t lineStart = 0;
    bool first = true;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = std::min(text.find(' ', at), text.size());
        const std::string word = text.substr(at, space - at);
        if (!first && out.size() - lineStart + 1 + word.size() > kLineWidth) {
            out += "\n";
            lineStart = out.size();
            out.append(kDescriptionColumn, ' ');
            first = true;
        }
        out += (first ? "" : " ") + word;
        first = false;
        at = space + 1;
    }
    return out + "\n";
}

const QtOption* qtOption(std::string_view argument)
{
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    for (const QtOption& option : kQtOptions) {
        if (argument == option.name)
            return &option;
    }
    return nullptr;
}

} // namespace

std::string unknownEditorOption(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == kEndOfOptions)
            return {};
        if (argument.size() < 2 || argument[0] != '-')
            continue;
        const QtOption* option = qtOption(argument);
        if (option == nullptr)
            return std::string(argument);
        if (option->takesValue)
            ++i;
    }
    return {};
}

std::string usageText()
{
    return kUsageStart +
           described("--convert IN OUT", "Reads IN by its extension (.sgm or any other name: a Sigmora diagram; " +
                                             extensionList(true) + ") and writes OUT by its extension (" +
                                             extensionList(false) +
                                             "), without a window or a display. Exits with 0 on success, 1 when IN "
                                             "cannot be read or OUT not written, 2 for a wrong command line.") +
           kUsageEnd + kUsageBatch;
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
