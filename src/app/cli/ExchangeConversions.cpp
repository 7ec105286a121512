#include "app/cli/ExchangeConversions.h"

#include <cstring>

#include "app/platform/QtTextMeasurer.h"
#include "io/dump/VcdWriter.h"
#include "io/exchange/ImportFiles.h"
#include "io/hdl/VerilogStimulus.h"
#include "io/hdl/VhdlStimulus.h"
#include "io/exchange/WaveJsonWriter.h"

namespace sigmora::app {

namespace {

bool timeValue(const std::string& text, std::optional<long long>& t)
{
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    t = std::stoll(text);
    return true;
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
        options.given = true;
        if (option == "--clock")
            options.vcd.clock = value;
        else if (option == "--signals")
            options.vcd.signals = commaList(value);
        else if (option == "--from" || option == "--to") {
            if (!timeValue(value, option == "--from" ? options.vcd.from : options.vcd.to)) {
                error = option + " takes a time in the dump's units, a whole number: " + value;
                return false;
            }
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
        if (choice.clock.empty()) {
            const io::VcdSurvey survey = io::surveyVcdFile(in);
            if (!survey.ok) {
                error = survey.error;
                return false;
            }
            choice.clock = io::defaultVcdClock(survey);
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

std::string waveJsonOutputBytes(const model::Diagram& diagram)
{
    return io::waveJsonText(diagram);
}

bool hdlOutputBytes(edit::Format format, const model::Diagram& diagram, const std::string& in,
                    const ExchangeOptions& options, std::string& bytes, std::string& error,
                    std::vector<std::string>& notes)
{
    const io::HdlLanguage language = format == edit::Format::Vhdl ? io::HdlLanguage::Vhdl : io::HdlLanguage::Verilog;
    const io::TimedRows rows = io::timedRows(diagram, io::diagramBaseName(in), language, options.halfPeriodFs);
    if (!rows.ok) {
        error = rows.error;
        return false;
    }
    notes = rows.renamings;
    bytes = format == edit::Format::Vcd       ? io::vcdText(rows)
            : format == edit::Format::Verilog ? io::verilogStimulus(rows)
                                              : io::vhdlStimulus(rows);
    return true;
}

} // namespace sigmora::app
