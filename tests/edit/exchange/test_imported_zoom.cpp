#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/session/CommandIds.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

// An imported dump zoomed as a user zooms it: every bus value stays on its run.

using namespace sigmora;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

// A clock of 12 cycles and an 8-bit bus whose values last one, two, three and half a cycle.
const char* kDump = "$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n"
                    "$var wire 8 \" data [7:0] $end\n$upscope $end\n$enddefinitions $end\n"
                    "#0 0! b11010110 \"\n#5 1!\n#10 0! b1 \"\n#15 1!\n#20 0! b10 \"\n#25 1!\n#30 0!\n#35 1!\n"
                    "#40 0! b11111111 \"\n#45 1!\n#50 0!\n#55 1!\n#60 0!\n#65 1!\n#70 0! b0 \"\n#75 1! b101 \"\n"
                    "#80 0!\n#85 1!\n#90 0! b110 \"\n#95 1!\n#100 0!\n#105 1!\n#110 0!\n#115 1!\n#120 0!\n";

struct ValueRun {
    int first, end; // columns
};

struct ImportedZoom : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer;
    edit::Editor editor{ui, measurer};
    fs::path path = fs::temp_directory_path() / ("sigmora-zoom-" + std::to_string(::getpid()) + ".vcd");

    void SetUp() override
    {
        std::ofstream(path, std::ios::binary) << kDump;
        ui.fileNames.push_back(path.string());
        ui.vcdChoices.push_back(io::VcdChoice{"tb.clk", {}, {}, {}});
        editor.execute(cmd::ImportVcd);
    }
    void TearDown() override { fs::remove(path); }

    const model::RecordList& texts() { return editor.diagram().store.list(model::ListId::Texts); }
    int left(int i) { return model::fields::intField(texts().get(i), model::textfield::Left); }
    int right(int i) { return model::fields::intField(texts().get(i), model::textfield::Right); }
    int origin() { return editor.diagram().settings.nameMargin + editor.diagram().settings.nameColumnWidth; }

    // The run of the bus row under the middle of text box i.
    ValueRun runUnder(int i)
    {
        const std::string_view wave = model::signal::waveform(editor.diagram().store.signals().get(1));
        const int cw = editor.diagram().settings.cellWidth;
        const int column = ((left(i) + right(i)) / 2 - origin()) / cw;
        ValueRun run{column, column + 1};
        auto cell = [&](int k) { return wave[static_cast<std::size_t>(k + 1)]; };
        while (run.first > 0 && cell(run.first - 1) == cell(column))
            --run.first;
        while (run.end < editor.diagram().settings.cellCount && cell(run.end) == cell(column))
            ++run.end;
        return run;
    }
};

TEST_F(ImportedZoom, EveryValueStaysOnItsRunTenStepsOutAndBackIn)
{
    ASSERT_EQ(editor.diagram().store.signalCount(), 2);
    const int boxes = texts().count();
    ASSERT_EQ(boxes, 7);
    std::vector<ValueRun> runs;
    std::vector<int> lefts;
    for (int i = 0; i < boxes; ++i) {
        runs.push_back(runUnder(i));
        lefts.push_back(left(i));
    }
    EXPECT_EQ(runs[3].end - runs[3].first, 6) << "the value that lasts three cycles";
    auto checkEveryBox = [&](const std::string& when) {
        const int cw = editor.diagram().settings.cellWidth;
        for (int i = 0; i < boxes; ++i) {
            const int middle = (left(i) + right(i)) / 2;
            EXPECT_GE(middle, origin() + runs[static_cast<std::size_t>(i)].first * cw) << when << ", box " << i;
            EXPECT_LT(middle, origin() + runs[static_cast<std::size_t>(i)].end * cw) << when << ", box " << i;
            EXPECT_GE(left(i), origin()) << when << ", box " << i << " has slid under the names";
        }
    };
    const struct {
        int command;
        int cellWidth; // after ten steps
    } legs[] = {{cmd::DecreaseClockWidth, 20}, {cmd::IncreaseClockWidth, 30}};
    for (const auto& leg : legs)
        for (int step = 1; step <= 10; ++step) {
            editor.execute(leg.command);
            checkEveryBox("cell width " + std::to_string(editor.diagram().settings.cellWidth));
            if (step == 10) {
                EXPECT_EQ(editor.diagram().settings.cellWidth, leg.cellWidth);
            }
        }
    for (int i = 0; i < boxes; ++i)
        EXPECT_NEAR(left(i), lefts[static_cast<std::size_t>(i)], 5) << "box " << i << " back at the first width";
}

} // namespace
