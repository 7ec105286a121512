#include "app/cli/ParameterTableCommand.h"

#include "app/cli/ConvertCommand.h"
#include "app/cli/TerminalText.h"
#include "io/base/FileAccess.h"
#include "io/exchange/ParameterTableText.h"

namespace sigmora::app {

bool writeParameterTable(const std::string& in, const std::string& out, std::string& error)
{
    const auto format = io::parameterTableFormatOf(out);
    if (!format) {
        error = "the option --parameters writes .csv, .md and .html outputs, not " + out;
        return false;
    }
    if (io::sameFile(in, out)) {
        error = "cannot write " + out + ": it is the input file, which a conversion does not write over";
        return false;
    }
    model::Diagram diagram;
    std::vector<std::string> notes;
    if (!readConversionInput(in, ExchangeOptions{}, diagram, error, notes))
        return false;
    for (const std::string& note : notes)
        printProblem(note);
    if (diagram.extension.parameters.empty()) {
        error = in + " has no timing parameters";
        return false;
    }
    const io::WriteResult written = io::writeFileReplacing(out, io::parameterTableText(diagram.extension, *format));
    if (written.error != io::WriteError::None) {
        error = "cannot write " + out + "\n" + io::fileProblem(out, written.systemError);
        return false;
    }
    return true;
}

} // namespace sigmora::app
