#include "app/cli/SvgXmlCsvConversions.h"

#include <string_view>
#include <vector>

#include "app/platform/QtTextMeasurer.h"
#include "io/exchange/AsciiView.h"
#include "io/exchange/CsvFormat.h"
#include "io/base/FileAccess.h"
#include "io/exchange/SvgDocument.h"
#include "io/exchange/SvgReader.h"
#include "io/exchange/XmlFormat.h"
#include "model/LabelNumberGenerator.h"
#include "model/TextCase.h"
#include "render/MeasuringSurface.h"

namespace sigmora::app {

namespace {

// The whole diagram is measured, not painted: the surface only has to be larger than any diagram.
constexpr render::Size kMeasuringArea{1 << 30, 1 << 30};

// Readers fill a diagram just made and answer false with what reads after "IN is "; notes get
// what a read that succeeded left out.
using Reader = bool (*)(std::string_view bytes, model::Diagram& diagram, std::string& problem,
                        std::vector<std::string>& notes);
// Writers give the output's bytes, or false with what reads after "cannot write OUT: ".
using Writer = bool (*)(const model::Diagram& diagram, std::string& bytes, std::string& problem);

bool readSvg(std::string_view bytes, model::Diagram& diagram, std::string& problem, std::vector<std::string>&)
{
    using Status = io::SvgReadResult::Status;
    const io::SvgReadResult result = io::readSvgDiagram(bytes, diagram);
    switch (result.status) {
    case Status::Ok: return true;
    case Status::NotSigmora: problem = "not an SVG file written by Sigmora"; break;
    case Status::NoData: problem = "an SVG file without Sigmora data"; break;
    case Status::Damaged: problem = "damaged: " + result.problem; break;
    }
    return false;
}

bool waveformsRead(const io::ExchangeReadResult& result, std::string& problem, std::vector<std::string>& notes)
{
    problem = "not readable as waveforms: " + result.problem;
    notes = result.notes;
    return result.ok();
}

bool readXml(std::string_view bytes, model::Diagram& diagram, std::string& problem, std::vector<std::string>& notes)
{
    return waveformsRead(io::readXmlDiagram(bytes, diagram), problem, notes);
}

bool readCsv(std::string_view bytes, model::Diagram& diagram, std::string& problem, std::vector<std::string>& notes)
{
    return waveformsRead(io::readCsvDiagram(bytes, diagram), problem, notes);
}

bool writeSvg(const model::Diagram& diagram, std::string& bytes, std::string& problem)
{
    if (diagram.store.signalCount() == 0) {
        problem = "the diagram has no rows to draw";
        return false;
    }
    const QtTextMeasurer measurer;
    render::MeasuringSurface surface(measurer, kMeasuringArea);
    model::ReaderReport report;
    bytes = io::svgDocument(diagram, surface, render::RedrawOptions{}, report);
    return true;
}

bool writeXml(const model::Diagram& diagram, std::string& bytes, std::string&)
{
    bytes = io::xmlDocument(diagram);
    return true;
}

bool writeCsv(const model::Diagram& diagram, std::string& bytes, std::string&)
{
    bytes = io::csvDocument(diagram);
    return true;
}

bool writeAscii(const model::Diagram& diagram, std::string& bytes, std::string&)
{
    bytes = io::asciiText(io::asciiRows(diagram), io::AsciiOptions{});
    return true;
}

struct InputFormat {
    std::string_view extension;
    Reader read;
};
struct OutputFormat {
    std::string_view extension;
    Writer write;
};

constexpr InputFormat kInputs[] = {{".svg", readSvg}, {".xml", readXml}, {".csv", readCsv}};
constexpr OutputFormat kOutputs[] = {{".svg", writeSvg}, {".xml", writeXml}, {".csv", writeCsv}, {".txt", writeAscii}};

bool endsWith(const std::string& text, std::string_view ending)
{
    return text.size() >= ending.size() &&
           model::equalsIgnoringCase(std::string_view(text).substr(text.size() - ending.size()), ending);
}

template <typename Format, std::size_t N>
const Format* formatOf(const std::string& path, const Format (&formats)[N])
{
    for (const Format& format : formats)
        if (endsWith(path, format.extension))
            return &format;
    return nullptr;
}

} // namespace

bool isSvgXmlCsvInput(const std::string& path)
{
    return formatOf(path, kInputs) != nullptr;
}

bool isSvgXmlCsvOutput(const std::string& path)
{
    return formatOf(path, kOutputs) != nullptr;
}

bool readSvgXmlCsvInput(const std::string& in, model::Diagram& diagram, std::string& error,
                        std::vector<std::string>& notes)
{
    const InputFormat* format = formatOf(in, kInputs);
    const io::FileBytes file = io::readWholeFile(in);
    if (file.error == io::ReadError::CannotOpen) {
        error = "cannot open " + in + "\n" + io::fileProblem(in, file.systemError);
        return false;
    }
    std::string problem = "damaged: the file is far larger than any diagram";
    if (!format || file.error == io::ReadError::TooLarge || !format->read(file.bytes, diagram, problem, notes)) {
        error = in + " is " + problem;
        return false;
    }
    model::regenerateLabelNumbers(diagram);
    return true;
}

bool svgXmlCsvOutputBytes(const model::Diagram& diagram, const std::string& out, std::string& bytes,
                          std::string& error)
{
    const OutputFormat* format = formatOf(out, kOutputs);
    std::string problem = "unknown output type";
    if (!format || !format->write(diagram, bytes, problem)) {
        error = "cannot write " + out + ": " + problem;
        return false;
    }
    return true;
}

} // namespace sigmora::app
