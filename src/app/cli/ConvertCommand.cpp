#include "app/cli/ConvertCommand.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/cli/ExchangeConversions.h"
#include "app/cli/PictureConversions.h"
#include "app/cli/SvgXmlCsvConversions.h"
#include "io/base/FileAccess.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "model/LabelNumberGenerator.h"
#include "model/TextCase.h"

namespace sigmora::app {

namespace {

constexpr const char* kUsage = "usage: sigmora --convert IN OUT   (OUT ends in .sgm, .png, .bmp, .pdf, .emf, .wmf, .json, .svg, .xml, .csv or .txt)";
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
bool endsWith(const std::string& text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           model::equalsIgnoringCase(std::string_view(text).substr(text.size() - ending.size()), ending);
}

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

bool writeFile(const std::string& out, std::string_view bytes, std::string& error)
{
    const io::WriteResult written = io::writeFileReplacing(out, bytes);
    if (written == io::WriteError::None)
        return true;
    error = "cannot write " + out + (written == io::WriteError::AccessDenied ? ": access denied" : "") + "\n" +
            io::fileProblem(out, written.systemError);
    return false;
}

// Qt's own notices (a missing runtime folder, font warnings) would mix with the command's
// one-line result on standard error.
void quietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtFatalMsg || type == QtCriticalMsg)
        std::fprintf(stderr, "sigmora: %s\n", message.toLocal8Bit().constData());
}

} // namespace

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
    const bool toNative = endsWith(out, ".sgm");
    if (!toNative && !isPictureOutput(out) && !isExchangeOutput(out) && !isSvgXmlCsvOutput(out)) {
        error = "unknown output type: " + out + " (use .sgm, .png, .bmp, .pdf, .emf, .wmf, .json, .svg, .xml, .csv or .txt)";
        return false;
    }
    model::Diagram diagram;
    std::vector<std::string> notes;
    if (isExchangeInput(in)) {
        if (!readExchangeInput(in, options, diagram, error, notes))
            return false;
    } else if (options.given) {
        error = "the options --clock, --signals, --from and --to are for .vcd inputs";
        return false;
    } else if (isSvgXmlCsvInput(in)) {
        if (!readSvgXmlCsvInput(in, diagram, error, notes))
            return false;
    } else if (!readDiagram(in, diagram, error)) {
        return false;
    }
    for (const std::string& note : notes)
        std::fprintf(stderr, "sigmora: %s\n", note.c_str());
    if (isSvgXmlCsvOutput(out)) {
        std::string bytes;
        return svgXmlCsvOutputBytes(diagram, out, bytes, error) && writeFile(out, bytes, error);
    }
    if (isExchangeOutput(out))
        return writeFile(out, exchangeOutputBytes(diagram, out), error);
    if (toNative)
        return writeFile(out, io::nativeFileBytes(diagram), error);
    std::string picture;
    return pictureOutputBytes(diagram, out, picture, error) && writeFile(out, picture, error);
}

int runConvertCommand(int argc, char* argv[])
{
    ExchangeOptions options;
    std::string optionError;
    if (argc < 4 || !parseExchangeOptions(argc, argv, 4, options, optionError)) {
        if (!optionError.empty())
            std::fprintf(stderr, "sigmora: %s\n", optionError.c_str());
        std::fprintf(stderr, "sigmora: %s %s\n", kUsage, kExchangeUsage);
        return kExitUsage;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quietQtMessages);
    QGuiApplication app(argc, argv);
    std::string error;
    if (!convertDiagramFile(argv[2], argv[3], options, error)) {
        std::fprintf(stderr, "sigmora: %s\n", error.c_str());
        return kExitFailed;
    }
    return 0;
}

} // namespace sigmora::app
