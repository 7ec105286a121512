// Fuzzes the WaveJSON reader: any bytes are read as WaveJSON. Whatever is read must export as
// WaveJSON that reads back and exports the same again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/exchange/WaveJsonReader.h"
#include "io/exchange/WaveJsonWriter.h"

#include "CharMeasurer.h"
#include "ReusedDiagrams.h"

using namespace sigmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fuzz::CharMeasurer measurer;
    model::Diagram& diagram = fuzz::reusedDiagram(0);
    if (!io::readWaveJson(bytes, diagram, measurer).ok)
        return 0;
    const std::string written = io::waveJsonText(diagram);
    model::Diagram& again = fuzz::reusedDiagram(1);
    if (!io::readWaveJson(written, again, measurer).ok)
        std::abort();
    if (io::waveJsonText(again) != written)
        std::abort();
    return 0;
}
