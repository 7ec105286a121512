// Fuzzes the WaveJSON reader: any bytes are read as WaveJSON. Whatever is read must export as
// WaveJSON that reads back and exports the same again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/WaveJsonReader.h"
#include "io/WaveJsonWriter.h"

using namespace sigmora;

namespace {

class CharMeasurer : public model::TextMeasurer {
public:
    int textWidth(std::string_view text, const model::FontSpec&) const override { return static_cast<int>(text.size()) * 7; }
    int lineHeight(const model::FontSpec&) const override { return 14; }
};

// Diagrams are reused: a fresh one would allocate its two grids for every input.
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
    const CharMeasurer measurer;
    model::Diagram& diagram = fresh(0);
    if (!io::readWaveJson(bytes, diagram, measurer).ok)
        return 0;
    const std::string written = io::waveJsonText(diagram);
    model::Diagram& again = fresh(1);
    if (!io::readWaveJson(written, again, measurer).ok)
        std::abort();
    if (io::waveJsonText(again) != written)
        std::abort();
    return 0;
}
