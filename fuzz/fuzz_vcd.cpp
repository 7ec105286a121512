// Fuzzes the value change dump reader: any bytes are surveyed and imported with the default
// clock, and with a window taken from the survey. Whatever is imported must save as a diagram file
// that reopens, and export as WaveJSON.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "io/dump/VcdReader.h"
#include "io/exchange/WaveJsonReader.h"
#include "io/exchange/WaveJsonWriter.h"

#include "CharMeasurer.h"
#include "NativeReopen.h"
#include "ReusedDiagrams.h"

using namespace sigmora;

namespace {

void importOnce(const std::string& bytes, const io::VcdChoice& choice)
{
    const fuzz::CharMeasurer measurer;
    std::istringstream in(bytes);
    model::Diagram& diagram = fuzz::reusedDiagram(0);
    if (!io::readVcd(in, choice, diagram, measurer).ok)
        return;
    if (diagram.store.signalCount() < 1 || diagram.settings.cellCount < 1)
        std::abort();
    fuzz::expectNativeReopens(diagram);
    const std::string written = io::waveJsonText(diagram);
    model::Diagram& again = fuzz::reusedDiagram(1);
    if (!io::readWaveJson(written, again, measurer).ok)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    const io::VcdSurvey survey = io::surveyVcd(in);
    importOnce(bytes, {});
    if (survey.ok) {
        io::VcdChoice choice;
        choice.clock = io::defaultVcdClock(survey);
        choice.from = (survey.firstTime + survey.lastTime) / 2;
        choice.to = survey.lastTime;
        importOnce(bytes, choice);
    }
    return 0;
}
