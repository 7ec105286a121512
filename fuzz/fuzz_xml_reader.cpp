// Fuzzes the XML exchange reader: any bytes are read as an XML file. Whatever is read must export
// as XML that imports again (text lines of rows that share a name are repeated under each, so a
// second import may only run into the record limit).

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/exchange/XmlFormat.h"
#include "NativeReopen.h"
#include "ReusedDiagrams.h"

using namespace sigmora;

namespace {

constexpr std::string_view kRecordLimit = "more records than any diagram holds";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    model::Diagram& diagram = fuzz::reusedDiagram(0);
    if (!io::readXmlDiagram(bytes, diagram).ok())
        return 0;
    fuzz::expectNativeReopens(diagram);
    const std::string written = io::xmlDocument(diagram);
    model::Diagram& again = fuzz::reusedDiagram(1);
    const io::ExchangeReadResult result = io::readXmlDiagram(written, again);
    if (!result.ok() && result.problem != kRecordLimit)
        std::abort();
    return 0;
}
