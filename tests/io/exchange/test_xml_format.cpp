#include <gtest/gtest.h>

#include "io/exchange/XmlFormat.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"

using namespace sigmora;
using model::ListId;

namespace {

const std::string kCells = "0111100004" + std::string(590, '3');

// Two rows with texts, floods and time breaks, names and messages that need escaping.
model::Diagram annotatedDiagram()
{
    model::Diagram d;
    d.store.signals().append(model::buildRowRecord(model::NewRowKind::Clock, "clk", 1));
    d.store.signals().append(model::fields::joinRow("a&b", "DATA_0_." + kCells + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0."));
    d.store.list(ListId::Texts).append("195.30.260.46.t~QorWFPeriod~1.clk.     0.Arial.8.0.0.0.1.0.0.0.");
    d.store.list(ListId::Texts).append("118.70.150.86.<x>. A&B .     0.Arial.8.0.0.0.1.0.0.0.");
    d.store.list(ListId::Texts).append("300.70.350.86.free.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    d.store.floodStyles().set(1, 2, 4);
    d.store.floodStyles().set(1, 5, 1);
    d.store.list(ListId::TimeBreaks).append("4.clk.");
    d.store.list(ListId::TimeBreaks).append("7.a&b.");
    return d;
}

const std::string kAnnotatedXml = "<waveform>\n"
                                  "\t<signal name=\"clk\">\n"
                                  "\t\t<data value=\"" + std::string(model::signal::waveform(model::buildRowRecord(model::NewRowKind::Clock, "clk", 1))) +
                                  "\"></data>\n"
                                  "\t\t<text cycle=\"3\" value=\"t.1\"></text>\n"
                                  "\t\t<timebreak cycle=\"4\"></timebreak>\n"
                                  "\t</signal>\n"
                                  "\t<signal name=\"a&amp;b\">\n"
                                  "\t\t<data value=\"" + kCells + "\"></data>\n"
                                  "\t\t<text cycle=\"0\" value=\"&lt;x&gt;\"></text>\n"
                                  "\t\t<flood cycle=\"2\" value=\"4\"></flood>\n"
                                  "\t\t<flood cycle=\"5\" value=\"1\"></flood>\n"
                                  "\t\t<timebreak cycle=\"7\"></timebreak>\n"
                                  "\t</signal>\n"
                                  "</waveform>\n";

std::string signalTags(int rows, const std::string& cells = "01")
{
    std::string xml = "<waveform>\n";
    for (int i = 0; i < rows; ++i)
        xml += "<signal name=\"s" + std::to_string(i) + "\"><data value=\"" + cells + "\"></data></signal>\n";
    return xml + "</waveform>\n";
}

} // namespace

TEST(XmlFormat, ExportOfTextsFloodsAndBreaks)
{
    EXPECT_EQ(io::xmlDocument(annotatedDiagram()), kAnnotatedXml);
}

TEST(XmlFormat, ImportPlacesTextsOnTheirCycleAndRow)
{
    model::Diagram d;
    const io::ExchangeReadResult result = io::readXmlDiagram(kAnnotatedXml, d);
    ASSERT_TRUE(result.ok()) << result.problem;
    const auto& rows = d.store.signals();
    ASSERT_EQ(rows.count(), 2);
    EXPECT_EQ(rows.get(0), model::fields::joinRow("clk", "DATA_0_." + std::string(model::signal::waveform(
                                                                        model::buildRowRecord(model::NewRowKind::Clock, "clk", 1))) +
                                                            ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0."));
    EXPECT_EQ(rows.get(1), model::fields::joinRow("a&b", "DATA_0_." + kCells + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0."));
    EXPECT_EQ(d.store.list(ListId::Texts).records(),
              (std::vector<std::string>{"195.24.195.24.t~QorWFPeriod~1.clk.     0.Arial.8.0.0.",
                                        "105.68.105.68.<x>.a&b.     0.Arial.8.0.0."}));
    EXPECT_EQ(d.store.list(ListId::TimeBreaks).records(), (std::vector<std::string>{"4.clk.", "7.a&b."}));
    // Every style comes back as style 1.
    EXPECT_EQ(d.store.floodStyles().get(1, 2), 1);
    EXPECT_EQ(d.store.floodStyles().get(1, 5), 1);
    EXPECT_EQ(d.store.floodStyles().get(1, 3), 0);
    // Exported again, only the flood style differs.
    std::string again = kAnnotatedXml;
    again.replace(again.find("value=\"4\""), 9, "value=\"1\"");
    EXPECT_EQ(io::xmlDocument(d), again);
}

TEST(XmlFormat, ReaderToleratesLayoutAndIgnoresWhatItDoesNotKnow)
{
    struct Case {
        const char* name;
        std::string xml;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"line breaks in tags", "<waveform><signal name=\"x\"\n   ><data value=\"01\"\n></data></signal></waveform>", {"x"}},
        {"unknown tags and text", "<?xml version=\"1.0\"?><!-- c --><waveform>junk<foo bar=\"1\"/><signal name=\"y\">"
                                  "<data value=\"1\"/></signal></waveform>",
         {"y"}},
        {"a value never decides its tag", "<signal name=\"z\"><data value=\"1\"></data>"
                                          "<text cycle=\"1\" value=\"signal name=evil\"></text>",
         {"z"}},
        {"references", "<signal name=\"&#x41;&#66;&amp;&bogus;\"><data value=\"1\"></data>", {"AB&&bogus;"}},
        {"periods in a name are kept as markers", "<signal name=\"a.b\"><data value=\"1\"></data>", {"a~QorWFPeriod~b"}},
        {"data before any name", "<data value=\"10\"></data>", {""}},
        {"a NUL ends the file", std::string("<signal name=\"n\"><data value=\"1\"></data>") + '\0' + "<data value=\"1\"></data>",
         {"n"}},
        {"file ending inside a tag", "<signal name=\"e\"><data value=\"1\"></data><data value=", {"e"}},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        const io::ExchangeReadResult result = io::readXmlDiagram(c.xml, d);
        ASSERT_TRUE(result.ok()) << c.name << ": " << result.problem;
        std::vector<std::string> names;
        for (const std::string& r : d.store.signals().records())
            names.emplace_back(model::fields::nameOfRow(r));
        EXPECT_EQ(names, c.names) << c.name;
    }
}

TEST(XmlFormat, BadInputIsRefusedWithItsReason)
{
    struct Case {
        const char* name;
        std::string xml;
        std::string problem;
    };
    const Case cases[] = {
        {"257 rows", signalTags(257), "more than 256 rows"},
        {"separator in cells", signalTags(1, "01.1"), "a waveform holds characters no cell can have"},
        {"control character in cells", signalTags(1, "0&#10;1"), "a waveform holds characters no cell can have"},
        {"control character in a name", "<signal name=\"a&#9;b\">", "a name holds control characters"},
        {"control character in a text", "<text cycle=\"1\" value=\"a\x01\"></text>", "a text holds control characters"},
        {"flood past the last cycle", "<flood cycle=\"600\" value=\"1\"></flood>", "a flood cycle is outside the diagram"},
        {"negative flood", "<flood cycle=\"-1\" value=\"1\"></flood>", "a flood cycle is outside the diagram"},
        {"flood without a number", "<flood cycle=\"x\"></flood>", "a flood cycle is outside the diagram"},
        {"time break with a period", "<timebreak cycle=\"1.2\"></timebreak>", "a time-break cycle is outside the diagram"},
        {"absurd text cycle", "<text cycle=\"99999999999\" value=\"t\"></text>", "a text cycle is outside the diagram"},
        {"text a diagram left of the name column", "<text cycle=\"-601\" value=\"t\"></text>",
         "a text cycle is outside the diagram"},
        {"text a cell past the last", "<text cycle=\"601\" value=\"t\"></text>", "a text cycle is outside the diagram"},
        {"endless tag", "<signal name=\"" + std::string(70000, 'a') + "\">", "a tag is longer than any the program writes"},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        EXPECT_EQ(io::readXmlDiagram(c.xml, d).problem, c.problem) << c.name;
    }
}

TEST(XmlFormat, TextsInTheNameColumnAndPastTheLastCellComeBack)
{
    // The cycle is worked out from the left edge, (left - 105) / 30 with the default layout,
    // rounded toward zero: boxes in the name column get negative cycles.
    struct Case {
        int left;
        int cycle;
        int importedLeft;
    };
    const Case cases[] = {
        {0, -3, 15}, {20, -2, 45}, {50, -1, 75}, {104, 0, 105}, {18105, 600, 18105},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        d.store.signals().append(model::buildRowRecord(model::NewRowKind::Bus, "bus", 1));
        const std::string left = std::to_string(c.left);
        d.store.list(ListId::Texts).append(left + ".24." + left + ".40.note.bus.     0.Arial.8.0.0.0.0.0.0.0.");
        const std::string xml = io::xmlDocument(d);
        EXPECT_NE(xml.find("<text cycle=\"" + std::to_string(c.cycle) + "\" value=\"note\">"), std::string::npos) << xml;

        model::Diagram back;
        const io::ExchangeReadResult result = io::readXmlDiagram(xml, back);
        ASSERT_TRUE(result.ok()) << c.left << ": " << result.problem;
        const std::string importedLeft = std::to_string(c.importedLeft);
        EXPECT_EQ(back.store.list(ListId::Texts).records(),
                  (std::vector<std::string>{importedLeft + ".24." + importedLeft + ".24.note.bus.     0.Arial.8.0.0."}));
        EXPECT_EQ(io::xmlDocument(back), xml) << c.left;
    }
}
