#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include <fstream>

#include "edit/annotations/AnnotationShift.h"
#include "edit/mouse/KeyInput.h"
#include "edit/session/CommandIds.h"
#include "io/native/ArchiveWriter.h"
#include "edit/timing/TimeCommands.h"
#include "io/native/NativeFileWriter.h"
#include "render/TimeRuler.h"
#include "support/EditorDriver.h"

// The diagram's time as a user sets it: the time base, the ruler and the parameter table, each an
// undo step; the exports offer the time base; the checks list every parameter.

using namespace sigmora;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

constexpr long long kNs = 1'000'000;

struct TimeFixture : ::testing::Test {
    test::EditorDriver d;
    model::Diagram& diagram() { return d.editor.diagram(); }
    model::DiagramExtension& extension() { return diagram().extension; }

    void SetUp() override
    {
        d.addSignals(2);
        d.editor.startHistory();
        diagram().modified = false;
    }
    // A label from cell 2 of row 0 to cell 6 of row 1 (four cells) with a measuring caption.
    void addLabel()
    {
        const std::string row0 = std::string(model::fields::nameOfRow(d.record(0)));
        const std::string row1 = std::string(model::fields::nameOfRow(d.record(1)));
        diagram().store.list(model::ListId::Labels).append("2." + row0 + ".6." + row1 + ".2.0.0.0.0.0.0.1.");
        diagram().store.list(model::ListId::Texts).append("0.0.0.0.t = {t}.WFLabel*0*.     0.Arial.8.0.0.0.0.0.0.0.");
        d.editor.changed();
    }
    static model::TimingParameter parameter(const char* symbol, std::optional<double> min, std::optional<double> max,
                                            int label)
    {
        model::TimingParameter p;
        p.symbol = symbol;
        p.min = min;
        p.max = max;
        p.label = label;
        return p;
    }
};

TEST_F(TimeFixture, TheTimeBaseIsOneUndoStepAndUndoRestoresTheOneBefore)
{
    d.ui.timeBases = {2'500'000, 10 * kNs};
    d.editor.execute(cmd::TimeBase);
    d.editor.execute(cmd::TimeBase);
    EXPECT_EQ(d.ui.timeBasesShown, (std::vector<long long>{5 * kNs, 2'500'000}));
    EXPECT_EQ(extension().halfPeriodFs, 10 * kNs);
    EXPECT_TRUE(diagram().modified);
    d.editor.execute(cmd::EditUndo);
    EXPECT_EQ(extension().halfPeriodFs, 2'500'000);
    d.editor.execute(cmd::EditUndo);
    EXPECT_EQ(extension().halfPeriodFs, std::nullopt);
    d.editor.execute(cmd::EditRedo);
    EXPECT_EQ(extension().halfPeriodFs, 2'500'000);
}

TEST_F(TimeFixture, ACancelledOrUnchangedTimeBaseChangesNothing)
{
    const struct {
        const char* name;
        std::optional<long long> answer;
    } cases[] = {{"cancelled", std::nullopt}, {"zero", 0}, {"above one second", model::kMaxTimeBaseFs + 1}};
    for (const auto& c : cases) {
        d.ui.timeBases = {c.answer};
        const int before = d.snapshots;
        d.editor.execute(cmd::TimeBase);
        EXPECT_EQ(extension().halfPeriodFs, std::nullopt) << c.name;
        EXPECT_EQ(d.snapshots, before) << c.name;
        EXPECT_FALSE(diagram().modified) << c.name;
    }
}

TEST_F(TimeFixture, TheExportsOfferTheTimeBase)
{
    const fs::path dir = fs::temp_directory_path() / ("sigmora-timebase-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    for (const std::optional<long long> base : {std::optional<long long>{}, std::optional<long long>{2'500'000}}) {
        extension().halfPeriodFs = base;
        d.ui.fileNames.push_back((dir / "out.vcd").string());
        d.editor.execute(cmd::ExportVcd);
    }
    fs::remove_all(dir);
    EXPECT_EQ(d.ui.halfPeriodStarts, (std::vector<std::optional<long long>>{std::nullopt, 2'500'000}));
}

TEST_F(TimeFixture, TheRulerAndTheTableAreViewOptionsKeptWithTheDiagram)
{
    const struct {
        int command;
        bool model::DiagramExtension::*flag;
    } cases[] = {{cmd::ViewTimeRuler, &model::DiagramExtension::timeRuler},
                 {cmd::ViewParameterTable, &model::DiagramExtension::parameterTable}};
    for (const auto& c : cases) {
        EXPECT_FALSE(d.editor.commands().state(c.command)->checked);
        d.editor.execute(c.command);
        EXPECT_TRUE(extension().*c.flag);
        EXPECT_TRUE(d.editor.commands().state(c.command)->checked);
        d.editor.execute(cmd::EditUndo);
        EXPECT_FALSE(extension().*c.flag);
    }
    // The ruler makes room for itself above the cycle labels.
    diagram().settings.topMargin = 20;
    d.editor.execute(cmd::ViewTimeRuler);
    EXPECT_EQ(diagram().settings.topMargin, render::rulerTopMargin(true));
}

TEST_F(TimeFixture, ParametersAreKeptOnlyWhenEveryRowCanBe)
{
    addLabel();
    const struct {
        const char* name;
        model::TimingParameter row;
        std::string message; // empty: kept
    } cases[] = {
        {"kept", parameter("t_{RCD}", 15, 25, 0), ""},
        {"min above max", parameter("t_{RCD}", 30, 25, 0),
         "The minimum of t_{RCD} (30) lies above its maximum (25)."},
        {"no symbol", parameter("", 1, 2, 0), "A timing parameter needs a symbol."},
    };
    for (const auto& c : cases) {
        extension().parameters.clear();
        d.ui.messages.clear();
        d.ui.timingTableScript.push_back([&](edit::UiPort::TimingTable& t) {
            t.parameters = {c.row};
            return true;
        });
        d.editor.execute(cmd::TimingParameters);
        if (c.message.empty()) {
            EXPECT_TRUE(d.ui.messages.empty()) << c.name;
            EXPECT_EQ(extension().parameters, std::vector<model::TimingParameter>{c.row}) << c.name;
        } else {
            ASSERT_EQ(d.ui.messages.size(), 1u) << c.name;
            EXPECT_EQ(d.ui.messages[0].text, c.message);
            EXPECT_TRUE(extension().parameters.empty()) << c.name;
        }
    }
    // The dialog offers the labels by their captions.
    EXPECT_EQ(d.ui.timingLabelsShown.back(), std::vector<std::string>{"Label 1: t = {t}"});
}

TEST_F(TimeFixture, CheckTimingListsEveryParameterWithItsValueAndMargin)
{
    addLabel(); // 20 ns
    extension().parameters = {parameter("t_{RCD}", 15, std::nullopt, 0), parameter("t_{RP}", std::nullopt, 18, 0),
                              parameter("CL", std::nullopt, std::nullopt, model::TimingParameter::kNoLabel)};
    d.editor.execute(cmd::CheckTiming);
    ASSERT_EQ(d.ui.messages.size(), 1u);
    EXPECT_EQ(d.ui.messages[0].caption, "Check Timing");
    EXPECT_EQ(d.ui.messages[0].text, "tRCD: 20 ns, margin 5 ns\n"
                                     "tRP: 20 ns, VIOLATED by 2 ns\n"
                                     "CL: bound to no label\n"
                                     "1 violation(s).");
}

TEST_F(TimeFixture, TheStatusBarSaysWhichParameterIsViolatedAndWhenItIsMetAgain)
{
    std::vector<std::string> status;
    d.editor.onStatus = [&](const std::string& s) { status.push_back(s); };
    d.drawOnRefresh();
    addLabel(); // 20 ns
    extension().parameters = {parameter("t_{RCD}", std::nullopt, 25, 0)};
    d.editor.refresh();
    EXPECT_TRUE(status.empty());
    extension().halfPeriodFs = 10 * kNs; // 40 ns
    d.editor.refresh();
    ASSERT_EQ(status.size(), 1u);
    EXPECT_EQ(status[0], "Timing violated: tRCD 40 ns (max 25 ns)");
    d.editor.refresh();
    EXPECT_EQ(status.size(), 1u) << "told once";
    extension().halfPeriodFs = 5 * kNs;
    d.editor.refresh();
    ASSERT_EQ(status.size(), 2u);
    EXPECT_EQ(status[1], "Timing met: every bound parameter lies within its limits");
}

TEST_F(TimeFixture, ParametersFollowTheirLabelsWhenALabelIsDeleted)
{
    addLabel();
    addLabel();
    addLabel();
    extension().parameters = {parameter("a", 1, std::nullopt, 0), parameter("b", 1, std::nullopt, 1),
                              parameter("c", 1, std::nullopt, 2)};
    // By the Delete key on the selected label (asked, answered Yes).
    diagram().store.list(model::ListId::Labels).setSelection(1);
    d.editor.state().selectionKind = edit::SelectionKind::Label;
    d.ui.answers = {true};
    edit::KeyPress del;
    del.key = edit::KeyPress::Key::Delete;
    edit::keyDown(d.editor, del);
    ASSERT_EQ(diagram().store.list(model::ListId::Labels).count(), 2);
    EXPECT_EQ(extension().parameters[0].label, 0);
    EXPECT_EQ(extension().parameters[1].label, model::TimingParameter::kNoLabel);
    EXPECT_EQ(extension().parameters[2].label, 1);
    // By removing cells under the first label.
    edit::deleteLabel(diagram(), 0);
    EXPECT_EQ(extension().parameters[0].label, model::TimingParameter::kNoLabel);
    EXPECT_EQ(extension().parameters[2].label, 0);
}

TEST_F(TimeFixture, OpeningAFileWithADamagedBlockSaysWhatWasLeftOut)
{
    diagram().extension.halfPeriodFs = 2'500'000;
    std::string bytes = io::nativeFileBytes(diagram());
    bytes.resize(bytes.size() - 4); // the block cut short
    const fs::path path = fs::temp_directory_path() / ("sigmora-cut-block-" + std::to_string(::getpid()) + ".sgm");
    std::ofstream(path, std::ios::binary) << bytes;
    d.ui.messages.clear();
    d.editor.openNamedFile(path.string());
    fs::remove(path);
    ASSERT_EQ(d.ui.messages.size(), 1u);
    EXPECT_EQ(d.ui.messages[0].caption, "Sigmora");
    EXPECT_EQ(d.ui.messages[0].text.rfind("The diagram was opened; what follows could not be read and was left out.", 0), 0u)
        << d.ui.messages[0].text;
    EXPECT_NE(d.ui.messages[0].text.find("cut short"), std::string::npos) << d.ui.messages[0].text;
    EXPECT_EQ(diagram().store.signalCount(), 2) << "the diagram itself is open";
}

} // namespace
