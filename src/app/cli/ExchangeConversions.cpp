#include "app/cli/ExchangeConversions.h"

#include <algorithm>
#include <cstring>

#include "app/platform/QtTextMeasurer.h"
#include "io/dump/DumpTime.h"
#include "io/dump/VcdWriter.h"
#include "io/exchange/ImportFiles.h"
#include "io/hdl/VerilogStimulus.h"
#include "io/hdl/VhdlStimulus.h"
#include "io/exchange/WaveJsonWriter.h"

namespace sigmora::app {

namespace {

// --from or --to made a time of the dump, whose unit its header gives; false with the reason.
bool dumpTime(const char* option, const std::string& text, const std::string& timescale, std::optional<long long>& time,
              std::string& error)
{
    if (text.empty())
        return true;
    const io::DumpTimeText read = io::dumpTimeFromText(text, timescale);
    if (!read.time) {
        error = std::string(option) + " " + text + ": " + read.problem;
        return false;
    }
    time = read.time;
    return true;
}

// Whether a time typed carries a unit of its own (then the dump's unit must be known).
bool hasUnit(const std::string& text)
{
    return text.find_first_not_of("0123456789 ") != std::string::npos;
}

std::vector<std::string> commaList(const std::string& text)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start)
            items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

} // namespace

bool parseExchangeOptions(int argc, char* argv[], int first, ExchangeOptions& options, std::string& error)
{
    for (int i = first; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        const std::string value = argv[i + 1];
        if (option == "--half-period") {
            const io::HalfPeriodText half = io::parseHalfPeriod(value);
            if (!half.femtoseconds) {
                error = half.error;
                return false;
            }
            options.halfPeriodFs = *half.femtoseconds;
            options.halfPeriodGiven = true;
            continue;
        }
        if (option == "--output-delay") {
            const io::HalfPeriodText delay = io::parseHalfPeriod(value, "output delay");
            if (!delay.femtoseconds) {
                error = delay.error;
                return false;
            }
            options.outputDelayPs = std::max(*delay.femtoseconds / io::kFemtosecondsPerPicosecond, 1LL);
            continue;
        }
        options.given = true;
        if (option == "--clock")
            options.vcd.clock = value;
        else if (option == "--signals")
            options.vcd.signals = commaList(value);
        else if (option == "--from" || option == "--to") {
            // Checked as far as it can be without the dump: a whole number, or a time with a unit.
            const io::DumpTimeText read = io::dumpTimeFromText(value, "1fs");
            if (!read.time) {
                error = option + " " + value + ": " + read.problem;
                return false;
            }
            (option == "--from" ? options.fromText : options.toText) = value;
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    return true;
}

bool readExchangeInput(edit::Format format, const std::string& in, const ExchangeOptions& options, model::Diagram& diagram,
                       std::string& error, std::vector<std::string>& notes)
{
    const QtTextMeasurer measurer;
    io::ImportResult result;
    if (format == edit::Format::WaveJson) {
        result = io::importWaveJsonFile(in, diagram, measurer);
    } else {
        io::VcdChoice choice = options.vcd;
        // The header names the dump's unit, which a time with a unit needs, and the default clock;
        // when several signals (or none) are named like a clock, the default is the busiest, and
        // a survey of the whole dump counts the changes.
        if (choice.clock.empty() || hasUnit(options.fromText) || hasUnit(options.toText)) {
            io::VcdSurvey survey = io::readVcdHeaderFile(in);
            if (survey.ok && choice.clock.empty() && !survey.cellTime && io::defaultVcdClockNeedsCounts(survey))
                survey = io::surveyVcdFile(in);
            if (!survey.ok) {
                error = survey.error;
                return false;
            }
            // A dump that says its cell time (as the program's own do) is read in those cells,
            // unless a clock is named.
            if (choice.clock.empty() && survey.cellTime)
                choice.cellTime = survey.cellTime;
            else if (choice.clock.empty())
                choice.clock = io::defaultVcdClock(survey);
            if (!dumpTime("--from", options.fromText, survey.timescale, choice.from, error) ||
                !dumpTime("--to", options.toText, survey.timescale, choice.to, error))
                return false;
        } else if (!dumpTime("--from", options.fromText, {}, choice.from, error) ||
                   !dumpTime("--to", options.toText, {}, choice.to, error)) {
            return false;
        }
        if (choice.from && choice.to && *choice.from >= *choice.to) {
            error = "the window is empty: --from " + options.fromText + " is not before --to " + options.toText;
            return false;
        }
        result = io::importVcdFile(in, choice, diagram, measurer);
    }
    if (!result.ok) {
        error = result.error;
        return false;
    }
    notes = result.notes;
    return true;
}

std::string waveJsonOutputBytes(const model::Diagram& diagram, std::vector<std::string>& notes)
{
    io::WaveJsonExport exported = io::waveJsonExport(diagram);
    notes = std::move(exported.notes);
    return std::move(exported.text);
}

bool hdlOutputBytes(edit::Format format, const model::Diagram& diagram, const std::string& in,
                    const ExchangeOptions& options, std::string& bytes, std::string& error,
                    std::vector<std::string>& notes)
{
    const io::HdlLanguage language = format == edit::Format::Vhdl ? io::HdlLanguage::Vhdl : io::HdlLanguage::Verilog;
    // --half-period overrides the diagram's own time base, which overrides the default.
    const long long halfPeriodFs =
        options.halfPeriodGiven ? options.halfPeriodFs : diagram.extension.halfPeriodFs.value_or(options.halfPeriodFs);
    const io::TimedRows rows = io::timedRows(diagram, io::diagramBaseName(in), language, halfPeriodFs);
    if (!rows.ok) {
        error = rows.error;
        return false;
    }
    notes = rows.renamings;
    if (format == edit::Format::Vcd) {
        bytes = io::vcdText(rows);
        return true;
    }
    // The stimulus drives each change a little after the edge the drawing slants it after.
    io::TimedRows driven = rows;
    io::applyOutputDelay(driven, options.outputDelayPs);
    bytes = format == edit::Format::Verilog ? io::verilogStimulus(driven) : io::vhdlStimulus(driven);
    return true;
}

} // namespace sigmora::app
