#include <gtest/gtest.h>

#include "io/exchange/WaveJsonReader.h"
#include "io/exchange/WaveJsonWriter.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "support/FixedMeasurer.h"

// What WaveJSON carries besides the lanes (arrows, labels, time breaks, title, foot, groups), and
// the list of what it cannot carry.

using namespace sigmora;
namespace fields = model::fields;
using K = model::NewRowKind;

namespace {

std::string row(const char* name, K kind, const std::string& cells)
{
    std::string r = model::buildRowRecord(kind, name, 1);
    if (!cells.empty())
        r = model::signal::withDataField(r, model::signalfield::Waveform, cells.substr(0, 1) + cells);
    return r;
}

std::string textBox(int left, int top, const char* message, const char* attachment, const char* colour = "     0")
{
    return std::to_string(left) + "." + std::to_string(top) + "." + std::to_string(left + 30) + "." +
           std::to_string(top + 12) + "." + message + "." + attachment + "." + colour + ".Arial.8.0.0.0.0.0.0.0.";
}

// A clock, a signal, a group with a bus; three arrows, a label with its caption, two time breaks,
// a title, a foot, a box among the rows in red and a shaded low cell.
model::Diagram annotated()
{
    model::Diagram d;
    d.settings.cellCount = 9; // eight columns drawn
    d.settings.waveformWidth = 9 * d.settings.cellWidth;
    auto& rows = d.store.signals();
    rows.append(row("clk", K::Clock, ""));
    rows.append(row("d", K::Signal, "0011110000"));
    rows.append("grp\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    rows.append(row("b", K::Bus, "4433334444"));
    auto& arrows = d.store.list(model::ListId::Arrows);
    arrows.append("2.clk.4.d.0.0.0.0.0.0.0.0.0.0.");  // curved, head at the end
    arrows.append("0.d.6.b.2.0.1.0.0.0.0.0.0.0.");    // straight, both heads
    arrows.append("3.d.4.b.1.0.2.0.0.0.0.0.0.0.");    // angled, head at the begin; column 3 lies inside a cycle
    d.store.list(model::ListId::Labels).append("2.clk.6.clk.2.0.0.1.0.0.0.1.");
    d.store.list(model::ListId::TimeBreaks).append("2.d."); // where d rises: no gap can stand there
    d.store.list(model::ListId::TimeBreaks).append("4.b."); // where the bus holds its value
    auto& texts = d.store.list(model::ListId::Texts);
    texts.append(textBox(200, 150, "tSU", "WFLabel*0*"));
    texts.append(textBox(105, 0, "Title", "SigmoraNone"));
    texts.append(textBox(105, 200, "Notes", "SigmoraNone"));
    texts.append(textBox(300, 64, "among", "SigmoraNone", "   255"));
    d.store.floodStyles().set(1, 0, 1);
    return d;
}

TEST(WaveJsonAnnotations, WritesWhatTheFormatCarriesAndListsTheRest)
{
    const io::WaveJsonExport e = io::waveJsonExport(annotated());
    EXPECT_EQ(e.text, R"({"signal": [
  {"name": "clk", "wave": "P...", "node": ".a.f"},
  {"name": "d", "wave": "01.0", "node": "c.b"},
  ["grp", {"name": "b", "wave": "==|=", "node": "..ed", "data": ["", "", ""]}]
],
"edge": ["a~>b", "c<->d", "b<-|e", "a<->f tSU"],
"head": {"text": "Title"},
"foot": {"text": "Notes"}}
)");
    EXPECT_EQ(e.notes,
              (std::vector<std::string>{
                  "1 shaded cell (flood fill) other than undefined values: WaveJSON shades only undefined values (x).",
                  "1 text box among the rows: WaveJSON has text only above and below the lanes and on edges.",
                  "The colours of 1 row, arrow, label or text box: WaveJSON has no colours.",
                  "1 arrow or label end between two characters of a lane moved to the nearer character.",
                  "1 time break where the lane changes its value or has none: a gap only stands where a value holds."}));
}

// Read back, the export makes arrows with captions, a time break, a title with room of its own, a
// foot on a row of its own and a group: written again, it is the same text, and nothing is lost.
TEST(WaveJsonAnnotations, ReadBackAndWrittenAgainItIsTheSame)
{
    const io::WaveJsonExport first = io::waveJsonExport(annotated());
    model::Diagram back;
    test::FixedMeasurer measurer;
    const io::ImportResult r = io::readWaveJson(first.text, back, measurer);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_TRUE(r.notes.empty());
    EXPECT_EQ(back.store.list(model::ListId::Arrows).count(), 4);
    ASSERT_EQ(back.store.list(model::ListId::TimeBreaks).count(), 1);
    EXPECT_EQ(back.store.list(model::ListId::TimeBreaks).get(0), "4.b.");
    const io::WaveJsonExport again = io::waveJsonExport(back);
    EXPECT_EQ(again.text, first.text);
    EXPECT_TRUE(again.notes.empty()) << again.notes.front();
}

// Nothing to list when the diagram has nothing the format lacks; groups end at the next separator
// and nest when one follows another.
TEST(WaveJsonAnnotations, GroupsNestAndEndAtTheNextSeparator)
{
    model::Diagram d;
    d.settings.cellCount = 5; // four columns drawn
    d.settings.waveformWidth = 5 * d.settings.cellWidth;
    auto& rows = d.store.signals();
    rows.append("Master\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    rows.append("ctrl\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    rows.append(row("w", K::Signal, "001111"));
    rows.append("\t\t\t\t\tSEP_0.0.1.Arial.0.1.0.0.0.1.");
    rows.append("separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1."); // the program's own name: no group
    rows.append(row("v", K::Signal, "000000"));
    const io::WaveJsonExport e = io::waveJsonExport(d);
    EXPECT_EQ(e.text, R"({"signal": [
  ["Master", ["ctrl", {"name": "w", "wave": "01"}]],
  {},
  {},
  {"name": "v", "wave": "0."}
]}
)");
    EXPECT_TRUE(e.notes.empty());
}

} // namespace
