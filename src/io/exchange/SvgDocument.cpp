#include "io/exchange/SvgDocument.h"

#include <cstdio>

#include "io/exchange/SvgCommentStream.h"
#include "render/ParameterTable.h"
#include "render/FullRedraw.h"
#include "render/SvgWriter.h"

namespace sigmora::io {

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
constexpr std::string_view kCreatedWith = "<!-- Created with Sigmora (https://sigmora.org) -->\n";
constexpr std::string_view kSvgNamespace = "\"http://www.w3.org/2000/svg\"";
constexpr int kShadowOffset = 8; // the drop shadow reaches 8 pixels right of and below the diagram
// Room reserved for the document, so that it is written without being copied while it grows: a
// generous bound per cell of every row (the largest diagram takes about 95 bytes a cell), which
// takes memory only as far as it is written.
constexpr std::size_t kBytesPerCell = 160;
constexpr std::size_t kBytesBeside = 1u << 16;
// The blocks a document written to a file is handed on in.
constexpr std::size_t kHandOnBlock = 1u << 20;

std::string svgElement(int width, int height)
{
    std::string out = "<svg\n   xmlns:svg=";
    out.append(kSvgNamespace).append("\n   xmlns=").append(kSvgNamespace).append("\n   version=\"1.0\"\n");
    out.append("   width=\"").append(std::to_string(width)).append("\"\n");
    out.append("   height=\"").append(std::to_string(height)).append("\"\n   id=\"svg2\">\n");
    return out;
}

} // namespace

std::string svgHeader(const model::DiagramSettings& s, int signalCount, int extraHeight)
{
    const long long rowPitch = s.signalSpacing + 2LL * s.signalHeight;
    const long long width = static_cast<long long>(s.nameMargin) + s.nameColumnWidth + s.waveformWidth + kShadowOffset;
    const long long height = s.topMargin + signalCount * rowPitch + kShadowOffset + extraHeight;
    std::string out(kDeclaration);
    out.append(kCreatedWith).append(kSvgMarker).append("\n");
    if (s.svgScale == 1.0f) {
        out += svgElement(static_cast<int>(width), static_cast<int>(height));
        return out;
    }
    out += svgElement(static_cast<int>(static_cast<float>(width) * s.svgScale),
                      static_cast<int>(static_cast<float>(height) * s.svgScale));
    char group[64];
    std::snprintf(group, sizeof group, "<g transform=\"scale(%1.2f)\">\n", static_cast<double>(s.svgScale));
    out += group;
    return out;
}

namespace {

// The header and the drawing, written through svg.
void writeDrawing(const model::Diagram& diagram, render::Surface& surface, const render::RedrawOptions& options,
                  model::ReaderReport& report, render::SvgWriter& svg)
{
    svg.append(svgHeader(diagram.settings, diagram.store.signalCount(), render::parameterTableHeight(diagram)));
    svg.idCounter = render::SvgWriter::kFirstId;
    svg.pass = render::SvgPass::Main;
    render::RedrawMemory memory;
    render::RedrawOptions drawing = options;
    drawing.cullOffSurface = false;
    render::fullRedraw(surface, diagram, drawing, memory, report, &svg);
}

} // namespace

std::string svgDocument(const model::Diagram& diagram, render::Surface& surface, const render::RedrawOptions& options,
                        model::ReaderReport& report)
{
    if (diagram.store.signalCount() == 0)
        return {};
    render::SvgWriter svg;
    svg.reserve(static_cast<std::size_t>(diagram.store.signalCount()) * model::kMaxCells * kBytesPerCell + kBytesBeside);
    writeDrawing(diagram, surface, options, report, svg);
    std::string out = svg.takeText();
    appendSvgCommentStream(diagram, out);
    out.append(kSvgEnd);
    return out;
}

void writeSvgDocument(const model::Diagram& diagram, render::Surface& surface, const render::RedrawOptions& options,
                      model::ReaderReport& report, const std::function<bool(std::string_view)>& sink)
{
    if (diagram.store.signalCount() == 0)
        return;
    render::SvgWriter svg;
    svg.handOnTo([&sink](std::string_view block) { sink(block); }, kHandOnBlock);
    writeDrawing(diagram, surface, options, report, svg);
    std::string tail = svg.takeText();
    appendSvgCommentStream(diagram, tail);
    tail.append(kSvgEnd);
    sink(tail);
}

} // namespace sigmora::io
