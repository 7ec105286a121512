#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "edit/session/CommandIds.h"
#include "edit/files/DroppedFiles.h"
#include "edit/Editor.h"
#include "edit/files/RecoveryCopy.h"
#include "io/native/NativeFileWriter.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Answer;
using Asked = test::FakeUiPort::Asked;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

const std::string kSaveChanges = "Do you want to save your changes?";
const std::string kSavePrevious = "Do you want to save your previous changes?";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct UnsavedFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    edit::Editor editor{ui, measurer};
    fs::path dir;

    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-unsaved-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::string bytes() const { return io::nativeFileBytes(editor.diagram()); }
    void addRows()
    {
        editor.addRow(model::NewRowKind::Clock);
        editor.addRow(model::NewRowKind::Signal);
    }
};

// Every command that replaces the diagram, the question it asks, and the title of the open
// dialog it goes on to (none for New, which goes on to an empty diagram).
struct Replacing {
    const char* name;
    int command;
    std::string question;
    std::string dialog;
};

const Replacing kReplacing[] = {
    {"New", cmd::FileNew, kSavePrevious, ""},
    {"Open", cmd::FileOpen, kSaveChanges, "Open Sigmora files"},
    {"ImportXml", cmd::ImportXml, kSaveChanges, "Open XML files"},
    {"ImportCsv", cmd::ImportCsv, kSaveChanges, "Open CSV files"},
    {"ImportSvg", cmd::ImportSvg, kSaveChanges, "Open SVG files"},
    {"ImportWaveJson", cmd::ImportWaveJson, kSaveChanges, "Open WaveJSON files"},
    {"ImportVcd", cmd::ImportVcd, kSaveChanges, "Open Value Change Dump files"},
};

struct ReplacingCommand : UnsavedFixture, ::testing::WithParamInterface<Replacing> {};

} // namespace

// Cancel (Esc, the close button) abandons the command: the diagram, its file and `modified`
// stay, and the one question asked offered Cancel.
TEST_P(ReplacingCommand, CancelKeepsEverything)
{
    const Replacing& c = GetParam();
    addRows();
    editor.setFilePath(path("kept.sgm"));
    const std::string before = bytes();
    ui.answers = {Answer::Cancel};
    editor.execute(c.command);
    EXPECT_EQ(ui.questions, (std::vector<Asked>{{c.question, "Save Changes?"}}));
    EXPECT_EQ(ui.cancellable, std::vector<std::string>{c.question});
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_EQ(bytes(), before);
    EXPECT_EQ(editor.filePath(), path("kept.sgm"));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_FALSE(fs::exists(path("kept.sgm")));
    EXPECT_TRUE(editor.commandState(cmd::EditUndo)->enabled);
}

// Yes whose Save does not happen (its Save As dialog cancelled) abandons the command too.
TEST_P(ReplacingCommand, YesWithoutASaveKeepsEverything)
{
    const Replacing& c = GetParam();
    addRows();
    const std::string before = bytes();
    ui.answers = {Answer::Yes};
    ui.fileNames = {std::nullopt};
    editor.execute(c.command);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Save Sigmora files");
    EXPECT_EQ(bytes(), before);
    EXPECT_TRUE(editor.diagram().modified);
}

// Yes that saves, and No, go on with the command; either way the question is asked once.
TEST_P(ReplacingCommand, YesAfterSavingAndNoGoOn)
{
    const Replacing& c = GetParam();
    for (Answer answer : {Answer::Yes, Answer::No}) {
        SCOPED_TRACE(answer == Answer::Yes ? "Yes" : "No");
        editor.resetDiagram();
        fs::remove_all(path("saved.sgm"));
        ui.questions.clear();
        ui.fileDialogs.clear();
        addRows();
        editor.setFilePath(path("saved.sgm"));
        const std::string before = bytes();
        ui.answers = {answer};
        editor.execute(c.command);
        EXPECT_EQ(ui.questions, (std::vector<Asked>{{c.question, "Save Changes?"}}));
        EXPECT_EQ(fs::exists(path("saved.sgm")), answer == Answer::Yes);
        if (answer == Answer::Yes) {
            EXPECT_EQ(readFile(path("saved.sgm")), before);
        }
        if (c.dialog.empty()) {
            EXPECT_EQ(editor.diagram().store.signalCount(), 0);
        } else {
            ASSERT_EQ(ui.fileDialogs.size(), 1u);
            EXPECT_EQ(ui.fileDialogs[0].title, c.dialog);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, ReplacingCommand, ::testing::ValuesIn(kReplacing),
                         [](const auto& info) { return std::string(info.param.name); });

// A file dropped on the window goes to the command that reads its kind, with its questions and
// without the open dialog.
TEST_F(UnsavedFixture, DroppedFilesGoToTheCommandThatReadsThem)
{
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"/a/b.sgm", cmd::FileOpen},    {"/a/B.SGM", cmd::FileOpen},      {"/a/b.svg", cmd::ImportSvg},
        {"/a/b.xml", cmd::ImportXml},   {"/a/b.CSV", cmd::ImportCsv},     {"/a/b.json", cmd::ImportWaveJson},
        {"/a/b.vcd", cmd::ImportVcd},   {"/a/b.txt", std::nullopt},       {"/a/sgm", std::nullopt},
        {"/a/run.FST", cmd::ImportVcd},
        {".sgm", std::nullopt},         {"/a/b.sgm.bak", std::nullopt},   {"/a/b.png", std::nullopt},
    };
    for (const auto& [name, command] : cases)
        EXPECT_EQ(edit::readingCommandFor(name), command) << name;
    EXPECT_FALSE(edit::openDroppedFile(editor, path("notes.txt")));
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(UnsavedFixture, ADroppedDiagramOpensAfterTheQuestion)
{
    addRows();
    const std::string file = path("dropped.sgm");
    std::ofstream(file, std::ios::binary) << bytes();
    editor.addRow(model::NewRowKind::Bus);
    const std::string unsaved = bytes();

    ui.answers = {Answer::Cancel};
    EXPECT_TRUE(edit::openDroppedFile(editor, file));
    EXPECT_EQ(bytes(), unsaved);
    EXPECT_FALSE(editor.commandLineFile) << "an abandoned drop leaves no name for the next Open";

    ui.answers = {Answer::No};
    EXPECT_TRUE(edit::openDroppedFile(editor, file));
    EXPECT_EQ(editor.diagram().store.signalCount(), 2);
    EXPECT_EQ(editor.filePath(), file);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(UnsavedFixture, ADroppedImportReadsItsFile)
{
    const std::string file = path("dropped.csv");
    std::ofstream(file) << "a, 0110\nb, 1100\n";
    EXPECT_TRUE(edit::openDroppedFile(editor, file));
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_EQ(editor.diagram().store.signalCount(), 2);
    EXPECT_TRUE(ui.fileDialogs.empty());
}

// The start-up question about a copy a crash left: Yes opens it, No deletes it, Cancel (Esc,
// closing the question) keeps it for the next start, out of the way of this run's own copy.
TEST_F(UnsavedFixture, RecoveryQuestionCancelKeepsTheCopyForTheNextStart)
{
    const std::string folder = path("state");
    addRows();
    editor.setFilePath("/home/ann/spi.sgm");
    const std::string crashed = bytes();
    {
        edit::RecoveryCopy copy(folder);
        copy.diagramChanged(editor);
        copy.writeDue(editor);
    } // the copy's writer finishes before it goes
    const std::string question = "Sigmora closed without saving \"/home/ann/spi.sgm\". Recover the unsaved changes?";

    // Started again: Esc at the question.
    test::FakeUiPort ui2;
    edit::Editor second(ui2, measurer);
    edit::RecoveryCopy copy2(folder);
    ui2.answers = {Answer::Cancel};
    edit::offerLeftCopies(second, copy2);
    EXPECT_EQ(ui2.cancellable, std::vector<std::string>{question});
    EXPECT_EQ(second.diagram().store.signalCount(), 0);
    // This run's own copy and its normal close leave the kept one alone.
    second.addRow(model::NewRowKind::Bus);
    copy2.diagramChanged(second);
    copy2.writeDue(second);
    copy2.flush();
    copy2.discard();

    // Started again: the kept copy is offered; No deletes it.
    test::FakeUiPort ui3;
    edit::Editor third(ui3, measurer);
    edit::RecoveryCopy copy3(folder);
    ASSERT_EQ(copy3.leftCopies().size(), 1u);
    EXPECT_EQ(copy3.leftCopies()[0].bytes, crashed);
    ui3.answers = {Answer::Yes};
    edit::offerLeftCopies(third, copy3);
    EXPECT_EQ(ui3.questions, (std::vector<Asked>{{question, "Sigmora"}}));
    EXPECT_EQ(io::nativeFileBytes(third.diagram()), crashed);
    EXPECT_TRUE(third.diagram().modified);
    // Recovered, it is this run's copy until a save or a normal close.
    ASSERT_TRUE(copy3.left());
    EXPECT_EQ(copy3.leftCopies().size(), 1u);

    test::FakeUiPort ui4;
    edit::Editor fourth(ui4, measurer);
    edit::RecoveryCopy copy4(folder);
    ui4.answers = {Answer::No};
    edit::offerLeftCopies(fourth, copy4);
    EXPECT_EQ(ui4.questions.size(), 1u);
    EXPECT_TRUE(copy4.leftCopies().empty());
    EXPECT_EQ(fourth.diagram().store.signalCount(), 0);
}
