#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "io/exchange/SvgFixtures.h"
#include "io/exchange/CsvFormat.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"
#include "io/exchange/SvgReader.h"
#include "io/exchange/XmlFormat.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

// Every example diagram through every exchange format and back: what a format carries comes
// back unchanged.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(SIGMORA_SOURCE_DIR) / "examples";

std::vector<model::Diagram> examples()
{
    std::vector<model::Diagram> diagrams;
    for (const auto& entry : fs::directory_iterator(kExamples)) {
        if (entry.path().extension() != ".sgm")
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        model::Diagram d;
        EXPECT_EQ(io::readAnyVersion(bytes, d).status, io::ReadResult::Status::Ok) << entry.path();
        diagrams.push_back(std::move(d));
    }
    EXPECT_FALSE(diagrams.empty());
    return diagrams;
}

// Names and waveforms; padded, short waveforms (a separator's) are filled up to 600 characters
// with their last one, as the comma-separated import does.
std::vector<std::pair<std::string, std::string>> namesAndWaveforms(const model::Diagram& d, bool padded = false)
{
    std::vector<std::pair<std::string, std::string>> rows;
    for (const std::string& r : d.store.signals().records()) {
        std::string waveform(model::signal::waveform(r));
        if (padded && !waveform.empty() && waveform.size() < 600)
            waveform.resize(600, waveform.back());
        rows.emplace_back(model::fields::nameOfRow(r), waveform);
    }
    return rows;
}

} // namespace

TEST(ExchangeExamples, EveryFormatBringsBackWhatItCarries)
{
    for (const model::Diagram& d : examples()) {
        model::Diagram fromSvg;
        ASSERT_EQ(io::readSvgDiagram(test::svgOf(d), fromSvg).status, io::SvgReadResult::Status::Ok);
        model::Diagram sameSize = d;
        sameSize.settings.waveformWidth = fromSvg.settings.waveformWidth;
        sameSize.settings.topMargin = fromSvg.settings.topMargin;
        // The SVG's data comments carry the items of the diagram file's layout and, after them,
        // what a diagram holds beyond them (the DDR example's time base, ruler and parameters).
        EXPECT_EQ(io::nativeFileBytes(fromSvg), io::nativeFileBytes(sameSize));

        model::Diagram fromXml;
        const std::string xml = io::xmlDocument(d);
        ASSERT_TRUE(io::readXmlDiagram(xml, fromXml).ok());
        EXPECT_EQ(namesAndWaveforms(fromXml), namesAndWaveforms(d));
        // Flood styles come back as style 1, so the second export equals the first but for them.
        std::string floodsAsOne = xml;
        for (char style = '2'; style <= '7'; ++style)
            for (std::size_t at = 0; (at = floodsAsOne.find("value=\"" + std::string(1, style) + "\"></flood>", at)) !=
                                     std::string::npos;)
                floodsAsOne[at + 7] = '1';
        EXPECT_EQ(io::xmlDocument(fromXml), floodsAsOne);

        model::Diagram fromCsv;
        const std::string csv = io::csvDocument(d);
        ASSERT_TRUE(io::readCsvDiagram(csv, fromCsv).ok());
        EXPECT_EQ(namesAndWaveforms(fromCsv), namesAndWaveforms(d, true));
        model::Diagram again;
        ASSERT_TRUE(io::readCsvDiagram(io::csvDocument(fromCsv), again).ok());
        EXPECT_EQ(io::csvDocument(again), io::csvDocument(fromCsv));
    }
}

TEST(ExchangeExamples, AnSvgCarriesTheTimeAndParametersOnlyWhereTheDiagramHasThem)
{
    int withTime = 0;
    for (const model::Diagram& d : examples()) {
        const std::string svg = test::svgOf(d);
        const std::size_t at = svg.find("<!-- SGMX ");
        EXPECT_EQ(at != std::string::npos, !d.extension.empty());
        if (at == std::string::npos)
            continue;
        ++withTime;
        model::Diagram whole;
        ASSERT_EQ(io::readSvgDiagram(svg, whole).status, io::SvgReadResult::Status::Ok);
        EXPECT_EQ(whole.extension, d.extension);
        // The top margin is not in the data: a ruler gets its room back.
        if (d.extension.timeRuler) {
            EXPECT_EQ(whole.settings.topMargin, d.settings.topMargin);
        }
        // A damaged comment: the diagram is read, the rest left out and said.
        struct Damage {
            const char* name;
            std::string svg;
            bool keepsTimeBase;
        };
        std::string notHex = svg, cut = svg;
        notHex[at + 12] = 'g';
        const std::size_t close = cut.find(" -->", at);
        cut.erase(close - 40, 40); // the last parameters cut off
        for (const Damage& damage : {Damage{"not hexadecimal", notHex, false}, Damage{"cut short", cut, true}}) {
            model::Diagram back;
            const io::SvgReadResult r = io::readSvgDiagram(damage.svg, back);
            EXPECT_EQ(r.status, io::SvgReadResult::Status::Ok) << damage.name;
            EXPECT_FALSE(r.notes.empty()) << damage.name;
            EXPECT_EQ(back.store.signalCount(), d.store.signalCount()) << damage.name;
            EXPECT_EQ(back.extension.halfPeriodFs.has_value(), damage.keepsTimeBase) << damage.name;
            EXPECT_NE(back.extension, d.extension) << damage.name;
        }
    }
    EXPECT_GE(withTime, 1);
}
