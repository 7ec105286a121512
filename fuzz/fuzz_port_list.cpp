// Fuzzes the testbench port list reader: any bytes are read as "import_tb.txt". Every port read
// has a name, and reading is bounded by the input.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "io/exchange/PortList.h"

using namespace sigmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<io::Port> ports = io::parsePortList({reinterpret_cast<const char*>(data), size});
    if (ports.size() > size)
        std::abort();
    for (const io::Port& port : ports) {
        if (port.name.empty())
            std::abort();
    }
    return 0;
}
