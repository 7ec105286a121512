// Fuzzes the comma-separated reader: any bytes are read as a CSV file. Whatever is read must
// export as text that reads back and exports the same again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/CsvFormat.h"

using namespace sigmora;

namespace {

model::Diagram& fresh(int which)
{
    static model::Diagram* diagrams = new model::Diagram[2];
    model::Diagram& d = diagrams[which];
    d.store.clearForNew();
    d.settings = model::DiagramSettings{};
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    model::Diagram& diagram = fresh(0);
    if (!io::readCsvDiagram(bytes, diagram).ok())
        return 0;
    const std::string written = io::csvDocument(diagram);
    model::Diagram& again = fresh(1);
    if (!io::readCsvDiagram(written, again).ok() || io::csvDocument(again) != written)
        std::abort();
    return 0;
}
