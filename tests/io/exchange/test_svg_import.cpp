#include <gtest/gtest.h>

#include "io/native/NativeFileFixtures.h"
#include "io/exchange/SvgFixtures.h"
#include "support/LargestDiagram.h"
#include "io/native/NativeFileWriter.h"
#include "io/exchange/SvgReader.h"

using namespace sigmora;
using Status = io::SvgReadResult::Status;

namespace {

// What a diagram read back from SVG must equal: the SVG data carries everything the native file
// does except the waveform width and the top margin, which keep the values of a new diagram.
std::string storedBytesWithoutSize(model::Diagram d)
{
    const model::DiagramSettings fresh;
    d.settings.waveformWidth = fresh.waveformWidth;
    d.settings.topMargin = fresh.topMargin;
    return io::nativeFileBytes(d);
}

io::SvgReadResult readBack(const std::string& bytes, model::Diagram& into)
{
    return io::readSvgDiagram(bytes, into);
}

std::string replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

TEST(SvgImport, OwnDocumentsReadBackToTheSameDiagramAtEveryScale)
{
    for (float scale : {1.0f, 1.5f, 0.5f}) {
        model::Diagram d = test::fullDiagram(5);
        d.settings.svgScale = scale;
        // Texts that would break a comment come back too.
        d.store.signals().replace(1, model::buildRowRecord(model::NewRowKind::Signal, "data--in-", 1));
        d.settings.labelSuffix = "ns-";
        d.settings.labelPrefix = "";
        model::Diagram back;
        const io::SvgReadResult result = readBack(test::svgOf(d), back);
        ASSERT_EQ(result.status, Status::Ok) << scale << " " << result.problem;
        EXPECT_EQ(io::nativeFileBytes(back), storedBytesWithoutSize(d)) << scale;
        EXPECT_EQ(back.store.signals().get(0), d.store.signals().get(0)) << "records come back without a trailing blank";
    }
}

TEST(SvgImport, LargestDiagramReadsBack)
{
    model::Diagram d = test::largestDiagram();
    for (int r = 0; r < model::kMaxRows; r += 5)
        d.store.floodStyles().set(r, r, 1 + r % 7);
    model::Diagram back;
    ASSERT_EQ(readBack(test::svgOf(d), back).status, Status::Ok);
    EXPECT_EQ(io::nativeFileBytes(back), storedBytesWithoutSize(d));
}

TEST(SvgImport, WindowsLineEndsReadTheSame)
{
    const model::Diagram d = test::fullDiagram(3);
    std::string crlf;
    for (char c : test::svgOf(d)) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    model::Diagram back;
    ASSERT_EQ(readBack(crlf, back).status, Status::Ok);
    EXPECT_EQ(io::nativeFileBytes(back), storedBytesWithoutSize(d));
}

TEST(SvgImport, DocumentsThatAreNotOursOrHoldNoDataAreRefused)
{
    const std::string ours = test::svgOf(test::fullDiagram(2));
    struct Case {
        const char* name;
        std::string bytes;
        Status status;
    };
    const Case cases[] = {
        {"foreign", "<?xml version=\"1.0\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"><rect/></svg>\n",
         Status::NotSigmora},
        {"empty", "", Status::NotSigmora},
        {"marker after 200 bytes", std::string(200, ' ') + ours, Status::NotSigmora},
        {"marker after a NUL", std::string(1, '\0') + ours, Status::NotSigmora},
        {"no data", ours.substr(0, ours.find("<!-- WF 1 -->")), Status::NoData},
        {"data cut inside its first tag", ours.substr(0, ours.find("<!-- WF 1 -->") + 8), Status::NoData},
    };
    for (const Case& c : cases) {
        model::Diagram back;
        EXPECT_EQ(readBack(c.bytes, back).status, c.status) << c.name;
    }
}

TEST(SvgImport, DamagedDataIsRefusedWithItsReason)
{
    const std::string ours = test::svgOf(test::fullDiagram(2));
    const std::size_t data = ours.find("<!-- WF 1 -->");
    struct Case {
        const char* name;
        std::string bytes;
        std::string problem;
    };
    const Case cases[] = {
        {"cut in the records", ours.substr(0, data + 200), "the data ends early"},
        {"cut before the last value", ours.substr(0, ours.rfind("<!--")), "the data ends early"},
        {"unclosed comment", ours.substr(0, ours.rfind("-->")), "the data ends early"},
        {"absurd row count", replaced(ours, "<!-- 2 -->", "<!-- 99999999 -->"), "more than 256 rows"},
        {"257 rows", replaced(ours, "<!-- 2 -->", "<!-- 257 -->"), "more than 256 rows"},
        {"absurd list count", replaced(ours, "<!-- 1 -->", "<!-- 2000000000 -->"),
         "a list holds more records than any diagram"},
        {"word for a number", replaced(ours, "<!-- 40 -->", "<!-- forty -->"), "a value is not a whole number"},
        {"number too large", replaced(ours, "<!-- 40 -->", "<!-- 99999999999 -->"), "a value is not a whole number"},
        {"text between values", replaced(ours, "<!-- 40 -->\n", "<!-- 40 -->\nx"),
         "the data holds text that is not a comment"},
        {"short flood line", replaced(ours, "<!-- 1000", "<!-- 100"), "the flood styles do not match the rows"},
        {"long edge line", replaced(ours, "<!-- 32 ", "<!-- 32 32 "), "the edge offsets do not match the rows"},
        {"edge entry not a number", replaced(ours, "<!-- 32 ", "<!-- 3x "), "the edge offsets do not match the rows"},
        {"scale not a number", replaced(ours, "<!-- 1.50 -->", "<!-- nan -->"), "the SVG scale is not a positive number"},
        {"negative scale", replaced(ours, "<!-- 1.50 -->", "<!-- -1.50 -->"), "the SVG scale is not a positive number"},
        {"layout out of range", replaced(ours, "<!-- 40 -->", "<!-- 2000000 -->"), "a layout size is out of range"},
    };
    for (const Case& c : cases) {
        model::Diagram back;
        const io::SvgReadResult result = readBack(c.bytes, back);
        EXPECT_EQ(result.status, Status::Damaged) << c.name;
        EXPECT_EQ(result.problem, c.problem) << c.name;
    }
}
