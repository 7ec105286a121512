#pragma once

#include <optional>
#include <string>
#include <vector>

#include "edit/files/FileFormats.h"
#include "io/dump/HalfPeriod.h"
#include "io/dump/VcdReader.h"
#include "model/Diagram.h"

namespace sigmora::app {

// The parts of "sigmora --convert" that read and write other tools' formats: WaveJSON (".json",
// both ways) and value change dumps (".vcd", read only), with the dump's options
// "--clock NAME", "--signals a,b,...", "--from T" and "--to T"; and the half-period of the value
// change dump and stimulus outputs, "--half-period 5ns".

struct ExchangeOptions {
    io::VcdChoice vcd;
    // --from and --to as typed: a whole number of the dump's unit, or a time with its unit
    // ("460ns", "2.5us"), made a time of the dump once its header is read.
    std::string fromText, toText;
    bool given = false; // any option of a dump input was on the command line
    long long halfPeriodFs = io::kDefaultHalfPeriodFs;
    bool halfPeriodGiven = false;
    // "--output-delay T" of the stimulus outputs, in picoseconds; unset: each row's drawn slant.
    std::optional<long long> outputDelayPs;
};

inline constexpr const char* kExchangeUsage =
    "[--clock NAME] [--signals a,b,...] [--from T] [--to T] (for .vcd inputs) [--half-period 5ns] (for .vcd, .v and .vhd outputs) [--output-delay 1ns] (for .v and .vhd outputs)";

// Reads the options from argv[first] on; false with an error for an unknown or incomplete one.
bool parseExchangeOptions(int argc, char* argv[], int first, ExchangeOptions& options, std::string& error);


// Reads an exchange input (WaveJSON or a dump) into a diagram that has just been reset; what the file held but the
// diagram could not take is added to notes. False with a one-line error.
bool readExchangeInput(edit::Format format, const std::string& in, const ExchangeOptions& options, model::Diagram& diagram,
                       std::string& error, std::vector<std::string>& notes);

// The diagram as WaveJSON; notes get what the format cannot carry, one sentence each.
std::string waveJsonOutputBytes(const model::Diagram& diagram, std::vector<std::string>& notes);

// The diagram read from the file in as a value change dump (edit::Format::Vcd), Verilog or VHDL
// stimulus, with the options' half-period; the module, entity and scope are named after in. Every
// row renamed to be a legal identifier is added to notes. False with a one-line error.
bool hdlOutputBytes(edit::Format format, const model::Diagram& diagram, const std::string& in,
                    const ExchangeOptions& options, std::string& bytes, std::string& error,
                    std::vector<std::string>& notes);

} // namespace sigmora::app
