#include "io/ImportFiles.h"

#include <fstream>

#include "io/FileAccess.h"
#include "io/WaveJsonReader.h"

namespace sigmora::io {

namespace {

std::string cannotOpen(const std::string& path) { return "The file " + path + " cannot be opened."; }

} // namespace

ImportResult importWaveJsonFile(const std::string& path, model::Diagram& diagram, const model::TextMeasurer& measurer)
{
    const FileBytes file = readWholeFile(path, kMaxWaveJsonBytes);
    ImportResult result;
    if (file.error == ReadError::CannotOpen)
        result.error = cannotOpen(path);
    else if (file.error == ReadError::TooLarge)
        result.error = "This is not a WaveJSON file: it is larger than " +
                       std::to_string(kMaxWaveJsonBytes / (1024 * 1024)) + " MB.";
    else
        result = readWaveJson(file.bytes, diagram, measurer);
    return result;
}

VcdSurvey surveyVcdFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        VcdSurvey survey;
        survey.error = cannotOpen(path);
        return survey;
    }
    VcdSurvey survey = surveyVcd(in);
    if (!survey.ok)
        survey.error = "This value change dump cannot be read: " + survey.error + ".";
    return survey;
}

ImportResult importVcdFile(const std::string& path, const VcdChoice& choice, model::Diagram& diagram,
                           const model::TextMeasurer& measurer)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        ImportResult result;
        result.error = cannotOpen(path);
        return result;
    }
    ImportResult result = readVcd(in, choice, diagram, measurer);
    if (!result.ok && result.error.rfind("line ", 0) == 0)
        result.error = "This value change dump cannot be read: " + result.error + ".";
    return result;
}

} // namespace sigmora::io
