// Fuzzes the reader of the data comments of SVG documents: any bytes are read as an SVG file.
// Whatever is read must save as a diagram file that reopens, and write data comments that read
// back and write the same again.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "io/exchange/SvgCommentStream.h"
#include "io/exchange/SvgDocument.h"
#include "io/exchange/SvgReader.h"
#include "NativeReopen.h"
#include "ReusedDiagrams.h"

using namespace sigmora;

namespace {

// The smallest scale the two-decimal data comment keeps positive.
constexpr float kSmallestWrittenScale = 0.005f;

std::string documentOf(const model::Diagram& d)
{
    std::string doc(io::kSvgMarker);
    doc += "\n";
    io::appendSvgCommentStream(d, doc);
    doc += io::kSvgEnd;
    return doc;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    model::Diagram& diagram = fuzz::reusedDiagram(0);
    if (io::readSvgDiagram(bytes, diagram).status != io::SvgReadResult::Status::Ok ||
        diagram.settings.svgScale < kSmallestWrittenScale)
        return 0;
    fuzz::expectNativeReopens(diagram);
    const std::string written = documentOf(diagram);
    model::Diagram& again = fuzz::reusedDiagram(1);
    if (io::readSvgDiagram(written, again).status != io::SvgReadResult::Status::Ok)
        std::abort();
    if (documentOf(again) != written)
        std::abort();
    return 0;
}
