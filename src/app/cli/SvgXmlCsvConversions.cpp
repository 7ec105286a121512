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

bool readSvg(std::string_view bytes, model::Diagram& diagram, std::string& problem, std::vector<std::string>& notes)
{
    using Status = io::SvgReadResult::Status;
    const io::SvgReadResult result = io::readSvgDiagram(bytes, diagram);
    notes = result.notes;
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

Reader readerOf(edit::Format format)
{
    switch (format) {
    case edit::Format::Svg: return readSvg;
    case edit::Format::Xml: return readXml;
    case edit::Format::Csv: return readCsv;
    default: return nullptr;
    }
}

Writer writerOf(edit::Format format)
{
    switch (format) {
    case edit::Format::Xml: return writeXml;
    case edit::Format::Csv: return writeCsv;
    case edit::Format::Ascii: return writeAscii;
    default: return nullptr;
    }
}

} // namespace

bool readSvgXmlCsvInput(edit::Format format, const std::string& in, model::Diagram& diagram, std::string& error,
                        std::vector<std::string>& notes)
{
    const Reader read = readerOf(format);
    const io::FileBytes file = io::readWholeFile(in);
    if (file.error == io::ReadError::CannotOpen) {
        error = "cannot open " + in + "\n" + io::fileProblem(in, file.systemError);
        return false;
    }
    std::string problem = "damaged: the file is far larger than any diagram";
    if (!read || file.error == io::ReadError::TooLarge || !read(file.bytes, diagram, problem, notes)) {
        error = in + " is " + problem;
        return false;
    }
    model::regenerateLabelNumbers(diagram);
    return true;
}

bool svgOutputDrawable(const model::Diagram& diagram, const std::string& out, std::string& error)
{
    if (diagram.store.signalCount() > 0)
        return true;
    error = "cannot write " + out + ": the diagram has no rows to draw";
    return false;
}

void writeSvgOutput(const model::Diagram& diagram, const std::function<bool(std::string_view)>& sink)
{
    const QtTextMeasurer measurer;
    render::MeasuringSurface surface(measurer, kMeasuringArea);
    model::ReaderReport report;
    io::writeSvgDocument(diagram, surface, render::RedrawOptions{}, report, sink);
}

bool svgXmlCsvOutputBytes(const model::Diagram& diagram, edit::Format format, const std::string& out,
                          std::string& bytes, std::string& error)
{
    const Writer write = writerOf(format);
    std::string problem = "unknown output type";
    if (!write || !write(diagram, bytes, problem)) {
        error = "cannot write " + out + ": " + problem;
        return false;
    }
    return true;
}

} // namespace sigmora::app
