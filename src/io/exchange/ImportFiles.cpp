#include "io/exchange/ImportFiles.h"

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "io/base/FileAccess.h"
#include "io/dump/FstReader.h"
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

// Whether an opened dump is an FST dump rather than a value change dump: known by its first
// bytes, whatever its name. The stream is back at its start after.
bool isFst(std::ifstream& in)
{
    char first[9] = {};
    in.read(first, sizeof first);
    const std::size_t got = static_cast<std::size_t>(in.gcount());
    in.clear();
    in.seekg(0);
    return looksLikeFst(std::string_view(first, got));
}

constexpr const char* kFstProblem = "This FST dump cannot be read: ";
constexpr const char* kVcdProblem = "This value change dump cannot be read: ";

// The survey (or the header) of a dump file, read.
VcdSurvey readVcdFile(const std::string& path, VcdSurvey (*read)(std::istream&),
                      VcdSurvey (*readFst)(const std::string&))
{
    std::ifstream in;
    if (const int systemError = openDump(path, in)) {
        VcdSurvey survey;
        survey.error = cannotOpen(path, systemError);
        return survey;
    }
    const bool fst = isFst(in);
    VcdSurvey survey = fst ? readFst(path) : read(in);
    if (!survey.ok)
        survey.error = (fst ? kFstProblem : kVcdProblem) + survey.error + ".";
    return survey;
}

} // namespace

VcdSurvey surveyVcdFile(const std::string& path)
{
    return readVcdFile(path, surveyVcd, surveyFst);
}

VcdSurvey readVcdHeaderFile(const std::string& path)
{
    return readVcdFile(path, readVcdHeader, readFstHeader);
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
    const bool fst = isFst(in);
    ImportResult result = fst ? readFst(path, choice, diagram, measurer) : readVcd(in, choice, diagram, measurer);
    if (result.ok) {
        // Kept whole, so that a refresh finds the dump from wherever the diagram is opened.
        std::error_code ignored;
        const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
        diagram.extension.dump.path = absolute.empty() ? path : absolute.lexically_normal().string();
    }
    if (!result.ok && fst && !result.error.ends_with("."))
        result.error = kFstProblem + result.error + ".";
    if (!result.ok && !fst && result.error.rfind("line ", 0) == 0)
        result.error = kVcdProblem + result.error + ".";
    return result;
}

} // namespace sigmora::io
