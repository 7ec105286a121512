// Fuzzes the native file reader: any bytes are read as a file of any version (previous versions
// converted) and as an undo snapshot. Whatever is read must write and read back byte for byte.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/pictures/PictureSize.h"
#include "model/LabelNumberGenerator.h"

using namespace sigmora;

namespace {

// Diagrams are reused: a fresh one would allocate its two grids for every input.
model::Diagram& fresh(int which)
{
    static model::Diagram* diagrams = new model::Diagram[3];
    model::Diagram& d = diagrams[which];
    d.store.clearForNew();
    d.settings = model::DiagramSettings{};
    return d;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        model::Diagram& diagram = fresh(0);
        const io::ReadResult result = io::readAnyVersion(bytes, diagram);
        if (result.status == io::ReadResult::Status::Ok) {
            const model::DiagramSettings& s = diagram.settings;
            diagram.labelNumbers = model::generateLabelNumbers(
                {s.labelStart, s.labelIncrement, s.moduloCount, s.moduloOffset, s.repeatModuloCount});
            io::pictureSizeAllowed(io::wholeDiagramPictureSize(diagram));
            const std::string written = io::nativeFileBytes(diagram);
            model::Diagram& again = fresh(1);
            if (io::readNativeFile(written, again).status != io::ReadResult::Status::Ok)
                std::abort();
            if (io::nativeFileBytes(again) != written)
                std::abort();
        }
    }
    io::restoreSnapshot(bytes, fresh(2));
    return 0;
}
