// Fuzzes the WaveJSON reader: any bytes are read as WaveJSON. Whatever is read must save as a
// diagram file that reopens, and export as WaveJSON that reads back; from the second export on
// the text stays the same (the first may carry half a cycle more, which the export says).

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/exchange/WaveJsonReader.h"
#include "io/exchange/WaveJsonWriter.h"

#include "CharMeasurer.h"
#include "NativeReopen.h"
#include "ReusedDiagrams.h"

using namespace sigmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fuzz::CharMeasurer measurer;
    model::Diagram& diagram = fuzz::reusedDiagram(0);
    if (!io::readWaveJson(bytes, diagram, measurer).ok)
        return 0;
    fuzz::expectNativeReopens(diagram);
    const std::string first = io::waveJsonText(diagram);
    model::Diagram& again = fuzz::reusedDiagram(1);
    if (!io::readWaveJson(first, again, measurer).ok)
        std::abort();
    const std::string written = io::waveJsonText(again);
    model::Diagram& third = fuzz::reusedDiagram(0);
    if (!io::readWaveJson(written, third, measurer).ok)
        std::abort();
    if (io::waveJsonText(third) != written)
        std::abort();
    return 0;
}
