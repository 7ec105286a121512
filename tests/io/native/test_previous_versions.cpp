#include <gtest/gtest.h>

#include "io/native/ArchiveWriter.h"
#include "io/native/NativeFileFixtures.h"
#include "io/native/NativeFileReader.h"
#include "io/native/PreviousVersions.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"

using namespace sigmora;
using io::ReadResult;

namespace {

const std::string kTabs(5, '\t');
const std::string kCells600(600, '1');

// A file of a previous version: items 1 to 25 and, for "009", items 26 to 29.
struct OldFile {
    std::string version;
    std::vector<std::string> signals, texts, regions, arrows, labels, breaks;
    std::vector<std::pair<int, int>> floods; // row, style at cell 0, "009" only

    std::string bytes() const
    {
        std::string out;
        io::ArchiveWriter w(out);
        w.writeString("SGM");
        w.writeString(version);
        for (int v : {25, 24, 18, 0})
            w.writeInt(v);
        for (const auto* list : {&signals, &texts, &regions, &arrows, &labels, &breaks}) {
            w.writeInt(static_cast<int>(list->size()));
            for (const std::string& r : *list)
                w.writeString(r);
        }
        for (int v : {120, 5, 9, 1, 2, 1, 1, 0, 0})
            w.writeInt(v);
        w.writeString("");
        w.writeString("");
        w.writeInt(1);
        w.writeInt(1);
        if (version.find("009") != std::string::npos) {
            model::CellGrid flood, edges;
            for (auto [row, style] : floods)
                flood.set(row, 0, style);
            w.writeGridBlock(flood, static_cast<int>(signals.size()));
            w.writeGridBlock(edges, static_cast<int>(signals.size()));
            w.writeInt(0);  // each clock has its own period
            w.writeInt(30); // signalSpacing
        }
        return out;
    }
};

std::string dataOf(const std::string& record)
{
    return std::string(model::fields::dataOfRow(record));
}

} // namespace

TEST(PreviousVersions, Version009AddsDifferentialAndActiveLowAndTheNewPeriodMarker)
{
    OldFile f;
    f.version = "009";
    f.signals = {"Clk" + kTabs + "CLK_0_." + kCells600 + ".0.1.Arial.10.1.0.0.0.8421504.N/A.0.1.5.",
                 "Sep" + kTabs + "SEP_0.0.1.Arial.1.1.0.0.0.1."};
    f.texts = {"10.20.30.40.a~b~c.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0."};
    f.floods = {{1, 4}};
    model::Diagram d;
    d.settings.eachClockOwnPeriod = 1;
    ASSERT_EQ(io::readAnyVersion(f.bytes(), d).status, ReadResult::Status::Ok);
    EXPECT_EQ(d.store.signals().get(0), f.signals[0] + "0.0.");
    EXPECT_EQ(d.store.signals().get(1), f.signals[1]);
    EXPECT_EQ(d.store.list(model::ListId::Texts).get(0),
              "10.20.30.40.a~QorWFPeriod~b~QorWFPeriod~c.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    EXPECT_EQ(d.store.floodStyles().get(1, 0), 4);
    EXPECT_EQ(d.settings.eachClockOwnPeriod, 0); // read from the file
    EXPECT_EQ(d.settings.signalSpacing, 12);     // then the settings old files lack
    EXPECT_EQ(d.settings.signalHeight, 16);
    EXPECT_EQ(d.settings.topMargin, 20);
    EXPECT_EQ(d.settings.waveformWidth, 25 * 24);
    EXPECT_EQ(d.settings.cellWidth, 25);
    EXPECT_EQ(d.settings.nameColumnWidth, 120);
}

TEST(PreviousVersions, Version011ReadsNoGridsAndConvertsNoRecords)
{
    OldFile f;
    f.version = "011";
    f.signals = {"S" + kTabs + "DATA_0_." + kCells600 + ".0.0.Arial.10.0.0.0.0.8421504."};
    model::Diagram d;
    d.settings.eachClockOwnPeriod = 0;
    ASSERT_EQ(io::readAnyVersion(f.bytes(), d).status, ReadResult::Status::Ok);
    EXPECT_EQ(d.store.signals().get(0), f.signals[0]);
    EXPECT_EQ(d.settings.eachClockOwnPeriod, 1);
    EXPECT_EQ(d.settings.svgScale, 1.0f);
    EXPECT_EQ(d.settings.periodDivider, 1);
}

TEST(PreviousVersions, OlderFilesConvertEveryKindOfRecord)
{
    OldFile f;
    f.version = "008";
    std::string busCells = "0101" + std::string(596, '2');
    std::string clockCells = "000111000111" + std::string(588, '0');
    f.signals = {
        "Bus" + kTabs + "DATA_1_tail." + busCells + ".0.0.Arial.10.0.0.0.0.8421504.",
        "Sig" + kTabs + "DATA_0_." + kCells600 + ".0.0.Arial.10.0.0.0.0.8421504.",
        "Clk" + kTabs + "CLK_15_." + clockCells + ".0.1.Arial.10.1.0.0.0.8421504.",
        "Sep" + kTabs + "SEP_0.0.1.Arial.1.1.0.0.0.1.",
    };
    f.texts = {"10.20.30.40.msg.SigmoraNone.     0.Arial.8.0.0.0.1.0."};
    f.arrows = {"1.Sig.4.Bus.0.0.1.0.0.0.0."};
    f.regions = {"7.sig .3.", "8.Nobody.5.", "9.Bus."};
    model::Diagram d;
    ASSERT_EQ(io::readAnyVersion(f.bytes(), d).status, ReadResult::Status::Ok);
    const auto& rows = d.store.signals();

    EXPECT_EQ(dataOf(rows.get(0)), "DATA_0_tail.3434" + std::string(596, '2') + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.");
    EXPECT_EQ(dataOf(rows.get(1)), "DATA_0_." + kCells600 + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.");
    EXPECT_EQ(model::signal::freeText(rows.get(1)), "N/A");

    std::string regenerated;
    for (int k = 0; k < 600; ++k)
        regenerated += (k / 3) % 2 ? '1' : '0';
    EXPECT_EQ(dataOf(rows.get(2)), "CLK_0_." + regenerated + ".0.1.Arial.10.1.0.0.0.8421504.");
    EXPECT_EQ(d.store.edgeOffsets().get(2, 1), 15);
    EXPECT_EQ(d.store.edgeOffsets().get(2, 599), -15);
    EXPECT_EQ(model::signal::clockDivisor(rows.get(2)), 1);
    EXPECT_EQ(model::signal::dutyCode(rows.get(2)), 5);

    EXPECT_EQ(rows.get(3), f.signals[3]);
    EXPECT_EQ(d.store.list(model::ListId::Texts).get(0), f.texts[0] + "0.0.");
    EXPECT_EQ(d.store.list(model::ListId::Arrows).get(0), f.arrows[0] + "0.0.0.");
    // "sig " names the second row (blanks and case do not matter); a region of a row that does
    // not exist or without a style floods nothing.
    EXPECT_EQ(d.store.floodStyles().get(1, 7), 3);
    for (int r = 0; r < 4; ++r) {
        EXPECT_EQ(d.store.floodStyles().get(r, 8), 0);
        EXPECT_EQ(d.store.floodStyles().get(r, 9), 0);
    }
}

TEST(PreviousVersions, ClockCellsAreRegeneratedFromStartLevelAndHalfPeriod)
{
    struct Case {
        std::string old;
        std::string first8;
    };
    const Case cases[] = {
        {"01", "01010101"},       {"0011", "00110011"}, {"1110", "11100011"},
        {"", "01010101"},         {"x1", "01010101"},   {std::string(600, '1'), "11111111"},
    };
    for (const Case& c : cases) {
        const std::string cells = io::regeneratedClockCells(c.old);
        EXPECT_EQ(cells.size(), 600u);
        EXPECT_EQ(cells.substr(0, 8), c.first8) << c.old;
    }
}

TEST(PreviousVersions, BackupPathNeverEqualsThePath)
{
    const std::pair<std::string, std::string> cases[] = {
        {"/home/u/wave.sgm", "/home/u/wave_backup.sgm"},
        {"/home/u/WAVE.SGM", "/home/u/WAVE_backup.SGM"},
        {"/home/u/a.Sgm.sgm", "/home/u/a_backup.Sgm_backup.sgm"},
        {"/data.sgm/wave.sgm", "/data.sgm/wave_backup.sgm"},
        {"/home/u/wave.dat", "/home/u/wave.dat_backup.sgm"},
        {"wave.sgm", "wave_backup.sgm"},
    };
    for (const auto& [path, backup] : cases)
        EXPECT_EQ(io::backupPathFor(path), backup);
}

TEST(PreviousVersions, RegionWithoutItsStyleIsReported)
{
    OldFile f;
    f.version = "008";
    f.signals = {"Sig" + kTabs + "DATA_0_." + kCells600 + ".0.0.Arial.10.0.0.0.0.8421504."};
    f.regions = {"7.Sig.3.", "9.Sig.", "10.Sig"};
    model::Diagram d;
    model::ReaderReport report;
    ASSERT_EQ(io::readAnyVersion(f.bytes(), d, &report).status, ReadResult::Status::Ok);
    EXPECT_EQ(report.messages(), (std::vector<std::string>{"can't find flood style", "can't find flood style"}));
    EXPECT_EQ(d.store.floodStyles().get(0, 7), 3);
    EXPECT_EQ(d.store.floodStyles().get(0, 9), 0);
}
