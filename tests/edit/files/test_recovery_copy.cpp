#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/Editor.h"
#include "edit/files/RecoveryCopy.h"
#include "io/native/NativeFileWriter.h"
#include "model/LabelNumberGenerator.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct RecoveryFixture : ::testing::Test {
    fs::path folder = fs::temp_directory_path() / ("sigmora-recovery-" + std::to_string(getpid()));
    test::FakeUiPort ui;
    test::FixedMeasurer measurer;
    edit::Editor editor{ui, measurer};
    edit::RecoveryCopy copy{folder.string()};

    void SetUp() override { fs::remove_all(folder); }
    void TearDown() override { fs::remove_all(folder); }
    std::string copied() { return readFile(copy.diagramPath()); }
    std::string current() { return io::nativeFileBytes(editor.diagram()); }
};

} // namespace

// The copy follows the unsaved changes: a change makes it due, the window writes what is due (two
// seconds after the first change not yet copied, or when it loses the focus), and what is
// written is the diagram as it stands then.
TEST_F(RecoveryFixture, WrittenWhenDueAsTheDiagramStandsThen)
{
    copy.diagramChanged(editor);
    copy.writeDue(editor);
    copy.flush();
    EXPECT_FALSE(copy.due());
    EXPECT_FALSE(fs::exists(copy.diagramPath())) << "nothing unsaved, nothing kept";

    editor.addRow(model::NewRowKind::Clock);
    copy.diagramChanged(editor);
    EXPECT_TRUE(copy.due());
    editor.addRow(model::NewRowKind::Signal);
    copy.writeDue(editor);
    copy.flush();
    EXPECT_FALSE(copy.due());
    EXPECT_EQ(copied(), current());
    EXPECT_EQ(readFile(copy.namePath()), "");

    // Nothing new: writing what is due writes nothing.
    const std::string first = current();
    fs::remove(copy.diagramPath());
    copy.writeDue(editor);
    copy.flush();
    EXPECT_FALSE(fs::exists(copy.diagramPath()));

    editor.addRow(model::NewRowKind::Bus);
    editor.setFilePath("/home/ann/ddr.sgm");
    copy.diagramChanged(editor);
    copy.writeDue(editor);
    copy.flush();
    EXPECT_EQ(copied(), current());
    EXPECT_NE(copied(), first);
    EXPECT_EQ(readFile(copy.namePath()), "/home/ann/ddr.sgm");
}

// A discard wins over a copy handed to the writer before it: a save or a normal close never
// finds the copy written again behind it.
TEST_F(RecoveryFixture, DiscardWinsOverACopyUnderWay)
{
    editor.addRow(model::NewRowKind::Clock);
    for (int i = 0; i < 50; ++i) {
        copy.diagramChanged(editor);
        copy.writeDue(editor);
        copy.discard();
        copy.flush();
        ASSERT_FALSE(fs::exists(copy.diagramPath())) << "round " << i;
        ASSERT_FALSE(fs::exists(copy.namePath())) << "round " << i;
    }
}

TEST_F(RecoveryFixture, RemovedWhenNothingIsUnsaved)
{
    editor.addRow(model::NewRowKind::Clock);
    copy.diagramChanged(editor);
    copy.writeDue(editor);
    copy.flush();
    ASSERT_TRUE(copy.left());
    editor.diagram().modified = false; // as a save leaves it
    copy.diagramChanged(editor);
    EXPECT_FALSE(copy.left());
    EXPECT_FALSE(fs::exists(copy.diagramPath()) || fs::exists(copy.namePath()));
}

// A copy is offered with the name of its file and opens as that file's unsaved diagram.
TEST_F(RecoveryFixture, LeftCopyOpensUnsavedWithItsName)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Bus);
    editor.setFilePath("/home/ann/spi.sgm");
    copy.diagramChanged(editor);
    copy.writeDue(editor);
    copy.flush();
    const std::string saved = current();

    test::FakeUiPort otherUi;
    edit::Editor next(otherUi, measurer);
    const auto left = edit::RecoveryCopy(folder.string()).left();
    ASSERT_TRUE(left);
    EXPECT_EQ(edit::recoveryQuestion(*left),
              "Sigmora closed without saving \"/home/ann/spi.sgm\". Recover the unsaved changes?");
    ASSERT_TRUE(edit::openRecovered(next, *left));
    EXPECT_EQ(io::nativeFileBytes(next.diagram()), saved);
    EXPECT_TRUE(next.diagram().modified);
    EXPECT_EQ(next.title(), "/home/ann/spi.sgm - Sigmora 3.3.5");

    EXPECT_EQ(edit::recoveryQuestion({"", saved, ""}),
              "Sigmora closed without saving \"Untitled\". Recover the unsaved changes?");
}

TEST_F(RecoveryFixture, DamagedOrHalfCopiesAreNotOpened)
{
    fs::create_directories(folder);
    std::ofstream(copy.diagramPath()) << "not a diagram";
    EXPECT_FALSE(copy.left()) << "without its name file the copy is not complete";
    std::ofstream(copy.namePath()) << "/tmp/x.sgm";
    const auto left = copy.left();
    ASSERT_TRUE(left);
    editor.addRow(model::NewRowKind::Clock);
    const std::string before = current();
    std::string problem;
    EXPECT_FALSE(edit::openRecovered(editor, *left, &problem));
    EXPECT_FALSE(problem.empty());
    EXPECT_EQ(current(), before) << "a copy that cannot be read leaves the diagram as it was";
    EXPECT_EQ(editor.title(), "Untitled - Sigmora 3.3.5");
}

// A copy cut short by a crash is not offered as if it could be recovered: the user is told that
// it cannot be read and where it was kept, and no later close deletes it. The other copies are
// still offered.
TEST_F(RecoveryFixture, ACopyCutShortIsToldAndKeptAside)
{
    editor.addRow(model::NewRowKind::Clock);
    editor.addRow(model::NewRowKind::Bus);
    editor.setFilePath("/home/ann/ddr.sgm");
    copy.diagramChanged(editor);
    copy.writeDue(editor);
    copy.flush();
    const std::string whole = readFile(copy.diagramPath());
    for (std::size_t cut : {whole.size() / 2, std::size_t{10}, whole.size() - 1}) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(copy.namePath(), std::ios::binary) << "/home/ann/ddr.sgm";
        std::ofstream(copy.diagramPath(), std::ios::binary) << whole.substr(0, cut);

        test::FakeUiPort nextUi;
        nextUi.answers = {edit::Answer::Yes};
        edit::Editor next(nextUi, measurer);
        edit::RecoveryCopy nextCopy(folder.string());
        edit::offerLeftCopies(next, nextCopy);
        EXPECT_TRUE(nextUi.cancellable.empty()) << "an unreadable copy is not offered";
        ASSERT_EQ(nextUi.messages.size(), 1u);
        const std::string kept = (folder / "recovery-unreadable-1.sgm").string();
        const std::string& text = nextUi.messages[0].text;
        EXPECT_EQ(text.rfind("The unsaved changes of \"/home/ann/ddr.sgm\" cannot be recovered: their copy cannot be read (", 0), 0u)
            << text;
        EXPECT_NE(text.find("The copy is kept as:\n" + kept), std::string::npos) << text;
        EXPECT_EQ(readFile(kept), whole.substr(0, cut));
        EXPECT_EQ(next.diagram().store.signalCount(), 0);

        // This run's copy and its normal close leave the kept copy alone, and the next start does
        // not offer it again.
        next.addRow(model::NewRowKind::Signal);
        nextCopy.diagramChanged(next);
        nextCopy.writeDue(next);
        nextCopy.flush();
        nextCopy.discard();
        EXPECT_EQ(readFile(kept), whole.substr(0, cut));
        EXPECT_TRUE(edit::RecoveryCopy(folder.string()).leftCopies().empty());
    }
}

// The recovered diagram is the diagram, all of it: opened from its copy it shows what the same
// bytes opened with File, Open show, cycle labels counted from its own start value included.
TEST_F(RecoveryFixture, RecoveredDiagramEqualsTheSameCopyOpened)
{
    editor.addRow(model::NewRowKind::Clock);
    auto& s = editor.diagram().settings;
    s.labelPrefix = "T";
    s.labelStart = 0;
    s.labelIncrement = 1;
    s.labelsCustomized = 1;
    model::regenerateLabelNumbers(editor.diagram());
    copy.diagramChanged(editor);
    copy.writeDue(editor);
    copy.flush();

    test::FakeUiPort recoveredUi;
    recoveredUi.answers = {edit::Answer::Yes};
    edit::Editor recovered(recoveredUi, measurer);
    edit::RecoveryCopy again(folder.string());
    edit::offerLeftCopies(recovered, again);
    ASSERT_EQ(recovered.diagram().store.signalCount(), 1);

    test::FakeUiPort openedUi;
    edit::Editor opened(openedUi, measurer);
    opened.openNamedFile(again.diagramPath());
    ASSERT_EQ(opened.diagram().store.signalCount(), 1) << (openedUi.messages.empty() ? "" : openedUi.messages[0].text);

    EXPECT_EQ(recovered.diagram().labelNumbers, opened.diagram().labelNumbers);
    EXPECT_EQ(recovered.diagram().labelNumbers[0], 0);
    EXPECT_EQ(recovered.diagram().labelNumbers[9], 9);
    EXPECT_EQ(io::nativeFileBytes(recovered.diagram()), io::nativeFileBytes(opened.diagram()));
    EXPECT_TRUE(recovered.diagram().modified);
}
