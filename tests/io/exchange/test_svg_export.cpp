#include <gtest/gtest.h>

#include "io/native/NativeFileFixtures.h"
#include "io/exchange/SvgFixtures.h"
#include "io/exchange/SvgCommentStream.h"
#include "io/exchange/SvgDocument.h"
#include "render/MeasuringSurface.h"
#include "support/FixedMeasurer.h"
#include "support/LargestDiagram.h"
#include "render/FullRedraw.h"
#include "render/RecordingSurface.h"

using namespace sigmora;

namespace {

const std::string kHeaderStart = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                                 "<!-- Created with Sigmora (https://sigmora.org) -->\n"
                                 "<!-- KVTAG -->\n"
                                 "<svg\n"
                                 "   xmlns:svg=\"http://www.w3.org/2000/svg\"\n"
                                 "   xmlns=\"http://www.w3.org/2000/svg\"\n"
                                 "   version=\"1.0\"\n";

model::Diagram oneSignal()
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "Default Signal", 1));
    return d;
}

// The drawing of a diagram as the full redraw writes it, ids counted from 4.
std::string drawingOf(const model::Diagram& d)
{
    const test::FixedMeasurer measurer;
    render::MeasuringSurface surface(measurer, {1920, 1080});
    render::SvgWriter svg;
    svg.pass = render::SvgPass::Main;
    render::RedrawMemory memory;
    model::ReaderReport report;
    render::fullRedraw(surface, d, {}, memory, report, &svg);
    return std::string(svg.text());
}

std::string line(const std::string& value)
{
    return "<!-- " + value + " -->\n";
}

} // namespace

TEST(SvgExport, DefaultDiagramHeaderSizeAndNoScaleGroup)
{
    const model::Diagram d = oneSignal();
    const std::string header = kHeaderStart + "   width=\"713\"\n   height=\"72\"\n   id=\"svg2\">\n";
    const std::string doc = test::svgOf(d);
    ASSERT_EQ(doc.substr(0, header.size()), header);
    EXPECT_LT(doc.find("<!-- KVTAG -->"), 200u);
    EXPECT_EQ(doc.find("<g"), std::string::npos);
    EXPECT_EQ(doc.find("</g>"), std::string::npos);
    // The drawing follows the header with ids from 4 (the bounding rectangle first), then the data, then the end.
    const std::string drawing = drawingOf(d);
    ASSERT_EQ(doc.compare(header.size(), drawing.size(), drawing), 0);
    EXPECT_NE(drawing.find("id=\"rect4\""), std::string::npos);
    EXPECT_EQ(doc.compare(header.size() + drawing.size(), 14, "<!-- WF 1 -->\n"), 0);
    EXPECT_EQ(doc.substr(doc.size() - 7), "</svg>\n");
}

TEST(SvgExport, ScaleWrapsTheDrawingInAGroupAndScalesTheSize)
{
    struct Case {
        float scale;
        std::string size;
        std::string factor;
    };
    for (const Case& c : {Case{1.5f, "1069\"\n   height=\"108", "1.50"}, Case{0.33f, "235\"\n   height=\"23", "0.33"},
                          Case{2.0f, "1426\"\n   height=\"144", "2.00"}}) {
        model::Diagram d = oneSignal();
        d.settings.svgScale = c.scale;
        const std::string header = kHeaderStart + "   width=\"" + c.size + "\"\n   id=\"svg2\">\n" +
                                   "<g transform=\"scale(" + c.factor + ")\">\n";
        const std::string doc = test::svgOf(d);
        ASSERT_EQ(doc.substr(0, header.size()), header) << c.scale;
        const std::string drawing = drawingOf(d);
        EXPECT_EQ(doc.compare(header.size() + drawing.size(), 19, "</g>\n<!-- WF 1 -->\n"), 0) << c.scale;
        EXPECT_NE(doc.find(line(c.factor) + line("1") + line("1") + line("1") + "</svg>\n"), std::string::npos);
    }
}

TEST(SvgExport, EmptyDiagramWritesNoDocument)
{
    EXPECT_EQ(test::svgOf(model::Diagram{}), "");
}

TEST(SvgExport, CommentStreamOfADiagramWithEveryList)
{
    const model::Diagram d = test::fullDiagram(2);
    const auto& rows = d.store.signals();
    std::string floods = "1" + std::string(599, '0') + std::string(7, '0') + "2" + std::string(592, '0');
    std::string edges;
    for (int r = 0; r < 2; ++r)
        for (int k = 0; k < 600; ++k)
            edges += std::to_string(k == 1 ? 37 + r : k == 599 ? 27 - r : 32) + " ";
    const std::string expected =
        "</g>\n" + line("WF 1") + line("40") + line("30") + line("20") + line("0") + line("2") + line(rows.get(0)) +
        line(rows.get(1)) + line("1") + line(test::kTextBox) + line("1") + line("4.Row~QorWFPeriod~1.2.") + line("1") +
        line("3.Row~QorWFPeriod~0.7.Row~QorWFPeriod~1.0.0.1.0.0.0.0.0.0.0.") + line("1") +
        line("2.Row~QorWFPeriod~0.6.Row~QorWFPeriod~1.2.0.0.1.0.0.0.1.") + line("1") + line("5.Row~QorWFPeriod~0.") +
        line("140") + line("6") + line("11") + line("0") + line("1") + line("0") + line("0") + line("1") + line("6") +
        "<!-- ns-->\n<!-- T-->\n" + line("3") + line("2") + line(floods) + "<!-- " + edges + " -->\n" + line("0") +
        line("14") + line("1") + line("4") + line("1") + line("2") + line("1") + line("1.50") + line("3") + line("2") +
        line("2");
    std::string stream;
    io::appendSvgCommentStream(d, stream);
    EXPECT_EQ(stream, expected);
}

TEST(SvgExport, CommentStreamEdgeCases)
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "a", 1));
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "b", 1));
    d.store.edgeOffsets().set(1, 0, -3);
    std::string stream;
    io::appendSvgCommentStream(d, stream);
    // No fills: 1200 zeros; empty suffix and prefix: one blank between the markers.
    EXPECT_NE(stream.find("\n<!-- " + std::string(1200, '0') + " -->\n"), std::string::npos);
    EXPECT_NE(stream.find("\n<!-- -->\n<!-- -->\n"), std::string::npos);
    EXPECT_NE(stream.find(" 32 29 32 "), std::string::npos);
}

TEST(SvgExport, TextsThatWouldBreakTheirCommentHaveTheirDashesMarked)
{
    struct Case {
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        {"a-b", "a-b"},
        {"-a-", "~QorWFDash~a~QorWFDash~"},
        {"a--b", "a~QorWFDash~~QorWFDash~b"},
        {"x-->y", "x~QorWFDash~~QorWFDash~>y"},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(io::commentSafeText(c.text), c.written) << c.text;
        EXPECT_EQ(io::textFromComment(c.written), c.text) << c.text;
        EXPECT_EQ(io::commentSafeText(c.text).find("--"), std::string::npos) << c.text;
    }
}

// The document handed on in blocks, as the command line writes it to its file, is the document
// made whole, byte for byte, for the largest annotated diagram (many blocks) and a small one (one).
TEST(SvgExport, TheDocumentInBlocksIsTheWholeDocument)
{
    const test::FixedMeasurer measurer;
    for (const model::Diagram& diagram : {test::largestAnnotatedDiagram(), test::fullDiagram()}) {
        render::MeasuringSurface wholeSurface(measurer, {1 << 30, 1 << 30});
        model::ReaderReport wholeReport;
        const std::string whole = io::svgDocument(diagram, wholeSurface, render::RedrawOptions{}, wholeReport);
        render::MeasuringSurface blockSurface(measurer, {1 << 30, 1 << 30});
        model::ReaderReport blockReport;
        std::string joined;
        std::size_t blocks = 0;
        io::writeSvgDocument(diagram, blockSurface, render::RedrawOptions{}, blockReport, [&](std::string_view block) {
            joined.append(block);
            ++blocks;
            EXPECT_LE(block.size(), (2u << 20)) << "a block stays near a megabyte";
            return true;
        });
        ASSERT_FALSE(whole.empty());
        EXPECT_EQ(joined, whole);
        EXPECT_EQ(blocks > 2, whole.size() > (2u << 20)) << whole.size();
    }
}
