#include "io/exchange/ImportFiles.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "io/base/FileAccess.h"
#include "io/exchange/WaveJsonReader.h"

namespace sigmora::io {

namespace {

// The message, and on the next line the path with the system's reason.
std::string cannotOpen(const std::string& path, int systemError)
{
    return "The file " + path + " cannot be opened.\n" + fileProblem(path, systemError);
}

} // namespace

ImportResult importWaveJsonFile(const std::string& path, model::Diagram& diagram, const model::TextMeasurer& measurer)
{
    const FileBytes file = readWholeFile(path, kMaxWaveJsonBytes);
    ImportResult result;
    if (file.error == ReadError::CannotOpen)
        result.error = cannotOpen(path, file.systemError);
    else if (file.error == ReadError::TooLarge)
        result.error = "This is not a WaveJSON file: it is larger than " +
                       std::to_string(kMaxWaveJsonBytes / (1024 * 1024)) + " MB.";
    else
        result = readWaveJson(file.bytes, diagram, measurer);
    return result;
}

namespace {

// Opens a dump file; 0, or the system's reason when it cannot. A pipe or a device is refused
// before it is opened: a pipe would hold the program up.
int openDump(const std::string& path, std::ifstream& in)
{
    errno = 0;
    const int notRegular = notRegularFileReason(path);
    if (notRegular == 0)
        in.open(path, std::ios::binary);
    if (in.is_open())
        return 0;
    return notRegular != 0 ? notRegular : errno;
}

// The survey (or the header) of a dump file, read.
VcdSurvey readVcdFile(const std::string& path, VcdSurvey (*read)(std::istream&))
{
    std::ifstream in;
    if (const int systemError = openDump(path, in)) {
        VcdSurvey survey;
        survey.error = cannotOpen(path, systemError);
        return survey;
    }
    VcdSurvey survey = read(in);
    if (!survey.ok)
        survey.error = "This value change dump cannot be read: " + survey.error + ".";
    return survey;
}

} // namespace

VcdSurvey surveyVcdFile(const std::string& path)
{
    return readVcdFile(path, surveyVcd);
}

VcdSurvey readVcdHeaderFile(const std::string& path)
{
    return readVcdFile(path, readVcdHeader);
}

ImportResult importVcdFile(const std::string& path, const VcdChoice& choice, model::Diagram& diagram,
                           const model::TextMeasurer& measurer)
{
    std::ifstream in;
    if (const int systemError = openDump(path, in)) {
        ImportResult result;
        result.error = cannotOpen(path, systemError);
        return result;
    }
    ImportResult result = readVcd(in, choice, diagram, measurer);
    if (result.ok) {
        // Kept whole, so that a refresh finds the dump from wherever the diagram is opened.
        std::error_code ignored;
        const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
        diagram.extension.dump.path = absolute.empty() ? path : absolute.lexically_normal().string();
    }
    if (!result.ok && result.error.rfind("line ", 0) == 0)
        result.error = "This value change dump cannot be read: " + result.error + ".";
    return result;
}

} // namespace sigmora::io
