#include "app/cli/ConvertCommand.h"
#include "app/cli/ParameterTableCommand.h"

#include <QGuiApplication>
#include <QHashFunctions>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "app/cli/CommandLineHelp.h"
#include "app/cli/ExchangeConversions.h"
#include "app/cli/PictureConversions.h"
#include "app/cli/SvgXmlCsvConversions.h"
#include "app/cli/TerminalText.h"
#include "app/platform/FontDatabaseWarmUp.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/LabelNumberGenerator.h"

namespace sigmora::app {

namespace {

constexpr int kExitFailed = 1;
bool readDiagram(const std::string& in, model::Diagram& diagram, std::string& error)
{
    const io::FileBytes file = io::readWholeFile(in);
    if (file.error == io::ReadError::CannotOpen) {
        error = "cannot open " + in + "\n" + io::fileProblem(in, file.systemError);
        return false;
    }
    if (file.error == io::ReadError::TooLarge) {
        error = in + " is damaged: the file is far larger than any diagram";
        return false;
    }
    const io::ReadResult result = io::readAnyVersion(file.bytes, diagram);
    switch (result.status) {
    case io::ReadResult::Status::Ok: break;
    case io::ReadResult::Status::NotSigmora: error = in + " is not a valid Sigmora file"; return false;
    case io::ReadResult::Status::Damaged: error = in + " is damaged: " + result.problem; return false;
    case io::ReadResult::Status::PreviousVersion: error = in + " could not be converted"; return false;
    }
    model::regenerateLabelNumbers(diagram);
    return true;
}

bool written(const std::string& out, const io::WriteResult& written, std::string& error)
{
    if (written == io::WriteError::None)
        return true;
    error = "cannot write " + out + (written == io::WriteError::AccessDenied ? ": access denied" : "") + "\n" +
            io::fileProblem(out, written.systemError);
    return false;
}

bool writeFile(const std::string& out, std::string_view bytes, std::string& error)
{
    return written(out, io::writeFileReplacing(out, bytes), error);
}

using edit::Format;

// The format --convert reads IN as: the one its extension names when the command line reads it,
// else the native diagram file of any version.
Format inputFormat(const std::string& in)
{
    const edit::FileFormat* format = edit::formatOfFile(in);
    return format && format->convertReads ? format->format : Format::Native;
}

bool readInput(Format format, const std::string& in, const ExchangeOptions& options, model::Diagram& diagram,
               std::string& error, std::vector<std::string>& notes)
{
    if (options.given && format != Format::Vcd && format != Format::Fst) {
        error = "the options --clock, --signals, --from and --to are for .vcd and .fst inputs";
        return false;
    }
    switch (format) {
    case Format::WaveJson:
    case Format::Vcd:
    case Format::Fst: return readExchangeInput(format, in, options, diagram, error, notes);
    case Format::Svg:
    case Format::Xml:
    case Format::Csv: return readSvgXmlCsvInput(format, in, diagram, error, notes);
    default: return readDiagram(in, diagram, error);
    }
}

// Writes the output file in the format; false with a one-line error.
bool writeOutput(Format format, const model::Diagram& diagram, const std::string& in, const std::string& out,
                 const ExchangeOptions& options, std::string& error)
{
    std::string bytes;
    switch (format) {
    case Format::Native: bytes = io::nativeFileBytes(diagram); break;
    case Format::WaveJson: {
        std::vector<std::string> notes;
        bytes = waveJsonOutputBytes(diagram, notes);
        for (const std::string& note : notes)
            printProblem(note);
        break;
    }
    case Format::Vcd:
    case Format::Verilog:
    case Format::Vhdl: {
        std::vector<std::string> renamings;
        if (!hdlOutputBytes(format, diagram, in, options, bytes, error, renamings))
            return false;
        for (const std::string& note : renamings)
            printProblem(note);
        break;
    }
    // The SVG document goes to its file in blocks while it is drawn, never held whole.
    case Format::Svg:
        return svgOutputDrawable(diagram, out, error) &&
               written(out, io::writeFileReplacing(out, [&](const io::ByteSink& sink) { writeSvgOutput(diagram, sink); }),
                       error);
    case Format::Xml:
    case Format::Csv:
    case Format::Ascii:
        if (!svgXmlCsvOutputBytes(diagram, format, out, bytes, error))
            return false;
        break;
    default:
        if (!pictureOutputBytes(diagram, format, out, bytes, error))
            return false;
        break;
    }
    return writeFile(out, bytes, error);
}

// False with a one-line error when IN is no regular file (a pipe would hold the conversion up, a
// device never end), or when OUT is IN itself (by device and inode, whatever the names): a
// conversion never writes over what it reads, but a diagram may be saved onto itself in the
// current layout.
bool inputAndOutputUsable(const std::string& in, const std::string& out, Format outputFormat, std::string& error)
{
    if (const int reason = io::notRegularFileReason(in)) {
        error = "cannot open " + in + "\n" + io::fileProblem(in, reason);
        return false;
    }
    if (io::sameFile(in, out) && !(inputFormat(in) == Format::Native && outputFormat == Format::Native)) {
        error = "cannot write " + out + ": it is the input file" + (out == in ? "" : " " + in) +
                ", which a conversion does not write over";
        return false;
    }
    return true;
}

// The checks of an output made before anything is read: a type --convert writes, and the
// half-period only for the outputs that take one.
bool outputUsable(const std::string& out, const ExchangeOptions& options, std::string& error)
{
    const edit::FileFormat* target = edit::formatOfFile(out);
    if (!target || !target->convertWrites) {
        error = "unknown output type: " + out + " (use " + edit::convertOutputList() + ")";
        return false;
    }
    if (options.halfPeriodGiven && target->format != Format::Vcd && target->format != Format::Verilog &&
        target->format != Format::Vhdl) {
        error = "the option --half-period is for .vcd, .v and .vhd outputs";
        return false;
    }
    return true;
}

} // namespace

// True for an output whose texts are measured: the SVG document and the pictures.
bool isDrawnOutput(const std::string& out)
{
    const edit::FileFormat* format = edit::formatOfFile(out);
    if (!format)
        return false;
    switch (format->format) {
    case Format::Svg:
    case Format::Png:
    case Format::Bitmap:
    case Format::Pdf:
    case Format::Emf:
    case Format::Wmf: return true;
    default: return false;
    }
}

// Qt's own notices (a missing runtime folder, font warnings) would mix with the command's
// one-line result on standard error.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        printProblem(message.toLocal8Bit().toStdString());
}

bool readConversionInput(const std::string& in, const ExchangeOptions& options, model::Diagram& diagram,
                         std::string& error, std::vector<std::string>& notes)
{
    if (const int reason = io::notRegularFileReason(in)) {
        error = "cannot open " + in + "\n" + io::fileProblem(in, reason);
        return false;
    }
    return readInput(inputFormat(in), in, options, diagram, error, notes);
}

bool isConvertCommand(int argc, char* argv[])
{
    return argc >= 2 && std::strcmp(argv[1], kConvertOption) == 0;
}

bool convertDiagramFile(const std::string& in, const std::string& out, std::string& error)
{
    return convertDiagramFile(in, out, ExchangeOptions{}, error);
}

bool convertDiagramFile(const std::string& in, const std::string& out, const ExchangeOptions& options,
                        std::string& error)
{
    const std::vector<ConversionFailure> failures = convertDiagramFileToEach(in, {out}, options);
    if (failures.empty())
        return true;
    error = failures.front().error;
    return false;
}

std::vector<ConversionFailure> convertDiagramFileToEach(const std::string& in, const std::vector<std::string>& outs,
                                                        const ExchangeOptions& options)
{
    std::vector<ConversionFailure> failures;
    std::vector<std::string> typed;
    for (const std::string& out : outs) {
        std::string error;
        if (outputUsable(out, options, error))
            typed.push_back(out);
        else
            failures.push_back({out, error});
    }
    if (typed.empty())
        return failures;
    // An input that is no regular file fails every output at once.
    if (const int reason = io::notRegularFileReason(in)) {
        failures.push_back({"", "cannot open " + in + "\n" + io::fileProblem(in, reason)});
        return failures;
    }
    std::vector<std::string> usable;
    for (const std::string& out : typed) {
        std::string error;
        if (inputAndOutputUsable(in, out, edit::formatOfFile(out)->format, error))
            usable.push_back(out);
        else
            failures.push_back({out, error});
    }
    if (usable.empty())
        return failures;
    model::Diagram diagram;
    std::vector<std::string> notes;
    std::string error;
    if (!readInput(inputFormat(in), in, options, diagram, error, notes)) {
        failures.push_back({"", error});
        return failures;
    }
    for (const std::string& note : notes)
        printProblem(note);
    for (const std::string& out : usable) {
        if (!writeOutput(edit::formatOfFile(out)->format, diagram, in, out, options, error))
            failures.push_back({out, error});
    }
    return failures;
}

int runConvertCommand(int argc, char* argv[])
{
    ExchangeOptions options;
    std::string optionError;
    const bool tableOnly = argc == 5 && std::strcmp(argv[4], kParametersOption) == 0;
    if (argc < 4 || (!tableOnly && !parseExchangeOptions(argc, argv, 4, options, optionError))) {
        if (!optionError.empty())
            printProblem(optionError);
        std::fprintf(stderr, "sigmora: usage: sigmora --convert IN OUT   (OUT ends in %s) %s\n",
                     edit::convertOutputList().c_str(), kExchangeUsage);
        return kExitUsage;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietQtMessages);
    // The PDF writer keeps its fonts in hashes: with the same seed in every run they are written
    // in the same order, and the same diagram gives the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication app(argc, argv);
    // Outputs that are drawn measure their texts: the fonts are made ready while the input is read.
    std::optional<FontDatabaseWarmUp> fonts;
    if (isDrawnOutput(argv[3]))
        fonts.emplace();
    std::string error;
    if (tableOnly) {
        if (!writeParameterTable(argv[2], argv[3], error)) {
            printProblem(error);
            return kExitFailed;
        }
        return 0;
    }
    if (!convertDiagramFile(argv[2], argv[3], options, error)) {
        printProblem(error);
        return kExitFailed;
    }
    return 0;
}

} // namespace sigmora::app
