// Fuzzes what happens to a file that opens: it is read like Open reads it and then drawn by the
// full redraw, as the editor does right after opening.

#include <cstdint>
#include <string_view>

#include "io/native/NativeFileReader.h"
#include "model/LabelNumberGenerator.h"
#include "render/FullRedraw.h"
#include "render/RecordingSurface.h"

using namespace sigmora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static model::Diagram* reused = new model::Diagram;
    model::Diagram& diagram = *reused;
    diagram.store.clearForNew();
    diagram.settings = model::DiagramSettings{};
    if (io::readAnyVersion(bytes, diagram).status != io::ReadResult::Status::Ok)
        return 0;
    const model::DiagramSettings& s = diagram.settings;
    diagram.labelNumbers = model::generateLabelNumbers(
        {s.labelStart, s.labelIncrement, s.moduloCount, s.moduloOffset, s.repeatModuloCount});
    render::RecordingSurface surface({1920, 1080});
    render::RedrawOptions options;
    options.cullOffSurface = true;
    render::RedrawMemory memory;
    model::ReaderReport report;
    render::fullRedraw(surface, diagram, options, memory, report);
    return 0;
}
