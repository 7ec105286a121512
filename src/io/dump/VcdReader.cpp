#include "io/dump/VcdReader.h"

#include <algorithm>

#include "io/dump/DumpImport.h"
#include "io/dump/DumpSampler.h"
#include "io/dump/VcdParser.h"

namespace sigmora::io {

using sampling::SurveyHandler;

VcdSurvey surveyVcd(std::istream& in)
{
    VcdSurvey survey;
    VcdParser parser(in);
    if (!parser.readHeader(survey)) {
        survey.error = parser.error();
        return survey;
    }
    SurveyHandler handler;
    handler.changes.assign(static_cast<std::size_t>(parser.codeCount()), 0);
    if (!parser.readBody(handler)) {
        survey.error = parser.error();
        return survey;
    }
    for (VcdVariable& v : survey.variables)
        v.changes = handler.changes[static_cast<std::size_t>(parser.codeOf(v.code))];
    survey.firstTime = std::max(handler.first, 0LL);
    survey.lastTime = handler.last;
    survey.ok = true;
    return survey;
}

VcdSurvey readVcdHeader(std::istream& in)
{
    VcdSurvey header;
    VcdParser parser(in);
    header.ok = parser.readHeader(header);
    if (!header.ok)
        header.error = parser.error();
    return header;
}

ImportResult readVcd(std::istream& in, const VcdChoice& choice, model::Diagram& diagram,
                     const model::TextMeasurer& measurer)
{
    VcdSurvey header;
    VcdParser parser(in);
    if (!parser.readHeader(header)) {
        ImportResult result;
        result.error = parser.error();
        return result;
    }
    return importDump(
        header, parser.codeCount(), [&](const std::string& code) { return parser.codeOf(code); },
        [&](sampling::Sampler& sampler, std::string& error) {
            if (parser.readBody(sampler))
                return true;
            error = parser.error();
            return false;
        },
        choice, diagram, measurer);
}

} // namespace sigmora::io
