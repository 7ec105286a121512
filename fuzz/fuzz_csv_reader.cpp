// Fuzzes the comma-separated reader: any bytes are read as a CSV file. Whatever is read must save
// as a diagram file that reopens, and export as text that reads back and exports the same again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/exchange/CsvFormat.h"
#include "NativeReopen.h"
#include "ReusedDiagrams.h"

using namespace sigmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    model::Diagram& diagram = fuzz::reusedDiagram(0);
    if (!io::readCsvDiagram(bytes, diagram).ok())
        return 0;
    fuzz::expectNativeReopens(diagram);
    const std::string written = io::csvDocument(diagram);
    model::Diagram& again = fuzz::reusedDiagram(1);
    if (!io::readCsvDiagram(written, again).ok() || io::csvDocument(again) != written)
        std::abort();
    return 0;
}
