#include "app/cli/DiagramText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "app/cli/CommandLineHelp.h"
#include "app/cli/ConvertCommand.h"
#include "app/cli/TerminalText.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

namespace sigmora::app {

namespace {

using S = model::DiagramSettings;
struct NamedSetting {
    const char* name;
    int S::* value;
};
// The settings a diagram file stores, by the names of the program's settings.
constexpr NamedSetting kStoredSettings[] = {
    {"cellWidth", &S::cellWidth},
    {"cellCount", &S::cellCount},
    {"waveformWidth", &S::waveformWidth},
    {"signalHeight", &S::signalHeight},
    {"signalSpacing", &S::signalSpacing},
    {"topMargin", &S::topMargin},
    {"nameColumnWidth", &S::nameColumnWidth},
    {"nameMargin", &S::nameMargin},
    {"nameColumnChars", &S::nameColumnChars},
    {"nameJustification", &S::nameJustification},
    {"logoShown", &S::logoShown},
    {"boundingRectShown", &S::boundingRectShown},
    {"dropShadow", &S::dropShadow},
    {"periodLineMode", &S::periodLineMode},
    {"periodLinesSolid", &S::periodLinesSolid},
    {"eachClockOwnPeriod", &S::eachClockOwnPeriod},
    {"periodDivider", &S::periodDivider},
    {"cycleLabelsVisible", &S::cycleLabelsVisible},
    {"labelsCustomized", &S::labelsCustomized},
    {"labelStart", &S::labelStart},
    {"labelIncrement", &S::labelIncrement},
    {"periodLinesPerLabel", &S::periodLinesPerLabel},
    {"skipOffset", &S::skipOffset},
    {"moduloCount", &S::moduloCount},
    {"moduloOffset", &S::moduloOffset},
    {"repeatModuloCount", &S::repeatModuloCount},
};

// The text in double quotes, with quotes, backslashes and control characters escaped, so that a
// name is always one line of the text.
std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20 || byte == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", byte);
            out += hex;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// A record's fields from the first on, each as text with its periods put back, quoted when it
// is not a plain word or number, joined by spaces.
std::string fieldsFrom(std::string_view record, int first)
{
    std::string out;
    for (int n = first; model::fields::hasField(record, n); ++n) {
        const std::string field = model::fields::decodePeriods(*model::fields::textField(record, n));
        bool plain = !field.empty();
        for (const char c : field)
            plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '/');
        out += (out.empty() ? "" : " ") + (plain ? field : quoted(field));
    }
    return out;
}

std::string colourText(model::Colour colour)
{
    char hex[16];
    std::snprintf(hex, sizeof hex, "#%02X%02X%02X", model::redOf(colour), model::greenOf(colour), model::blueOf(colour));
    return hex;
}

// A row: its name, its kind, the cells the diagram shows and its attributes by name.
std::string rowLine(int number, std::string_view record, int cells)
{
    const model::SignalRow row = model::parseSignalRow(record);
    std::string line = "row " + std::to_string(number) + " " + quoted(row.name) + ": ";
    if (row.separator)
        return line + "separator | " + fieldsFrom(row.data, 1) + "\n";
    namespace sig = model::signal;
    line += std::string(row.clock ? "clock" : "signal") + " | waveform " +
            quoted(row.waveform.substr(0, static_cast<std::size_t>(std::max(cells, 0))));
    line += " | delay " + std::to_string(sig::delay(record)) + ", ideal " + std::to_string(sig::ideal(record)) +
            ", font " + quoted(sig::fontFace(record)) + " " + std::to_string(sig::fontSize(record)) +
            ", arrows rising " + std::to_string(sig::risingArrows(record)) + " falling " +
            std::to_string(sig::fallingArrows(record)) + ", colours wave " + colourText(sig::waveColour(record)) +
            " name " + colourText(sig::nameColour(record)) + " hatch " + colourText(sig::hatchColour(record)) +
            ", derived " + quoted(sig::freeText(record)) + ", locked " + std::to_string(sig::locked(record)) +
            ", clock divisor " + std::to_string(sig::clockDivisor(record)) + " duty " +
            std::to_string(sig::dutyCode(record)) + ", differential " + std::to_string(sig::differential(record)) +
            ", active low " + std::to_string(sig::activeLow(record));
    return line + "\n";
}

struct ListLine {
    model::ListId list;
    const char* word;
};
constexpr ListLine kAnnotationLists[] = {
    {model::ListId::Texts, "text"},        {model::ListId::Arrows, "arrow"},
    {model::ListId::Labels, "label"},      {model::ListId::TimeBreaks, "timebreak"},
    {model::ListId::LegacyRegions, "region"}, {model::ListId::Delays, "delay"},
};

} // namespace

std::string diagramText(const model::Diagram& diagram)
{
    std::string text = "sigmora diagram\n";
    for (const NamedSetting& setting : kStoredSettings)
        text += "setting " + std::string(setting.name) + " " + std::to_string(diagram.settings.*setting.value) + "\n";
    text += "setting labelPrefix " + quoted(diagram.settings.labelPrefix) + "\n";
    text += "setting labelSuffix " + quoted(diagram.settings.labelSuffix) + "\n";
    char scale[32];
    std::snprintf(scale, sizeof scale, "%g", static_cast<double>(diagram.settings.svgScale));
    text += "setting svgScale " + std::string(scale) + "\n";
    const model::RecordList& rows = diagram.store.signals();
    for (int i = 0; i < rows.count(); ++i)
        text += rowLine(i + 1, rows.get(i), diagram.settings.cellCount);
    for (const ListLine& list : kAnnotationLists) {
        const model::RecordList& records = diagram.store.list(list.list);
        for (int i = 0; i < records.count(); ++i)
            text += std::string(list.word) + " " + std::to_string(i + 1) + ": " + fieldsFrom(records.get(i), 0) + "\n";
    }
    // The per-cell fill styles and edge offsets that are set, one line a row.
    for (int r = 0; r < rows.count(); ++r) {
        for (const auto& [grid, word] : {std::pair{&diagram.store.floodStyles(), "fill"},
                                         std::pair{&diagram.store.edgeOffsets(), "edge offsets"}}) {
            std::string cells;
            for (int c = 0; c < diagram.settings.cellCount; ++c) {
                if (const int value = grid->get(r, c))
                    cells += " " + std::to_string(c) + "=" + std::to_string(value);
            }
            if (!cells.empty())
                text += std::string(word) + " of row " + std::to_string(r + 1) + ":" + cells + "\n";
        }
    }
    return text;
}

bool isTextCommand(int argc, char* argv[])
{
    return argc >= 2 && std::strcmp(argv[1], kTextOption) == 0;
}

int runTextCommand(int argc, char* argv[])
{
    if (argc != 3) {
        printProblem("usage: sigmora --text FILE");
        return kExitUsage;
    }
    model::Diagram diagram;
    std::string error;
    std::vector<std::string> notes;
    if (!readConversionInput(argv[2], ExchangeOptions{}, diagram, error, notes)) {
        printProblem(error);
        return 1;
    }
    const std::string text = diagramText(diagram);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace sigmora::app
