#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "edit/session/CommandIds.h"
#include "edit/Editor.h"
#include "io/native/NativeFileWriter.h"
#include "model/RecordFields.h"
#include "support/FakeUiPort.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
using edit::Editor;
using Asked = test::FakeUiPort::Asked;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

namespace {

const std::string kTitleSuffix = " - Sigmora 3.3.5";
const std::string kConvertQuestion =
    "This file was created with a previous version of Sigmora.  In order to proceed, the file must be converted to "
    "new format.  Before converting, Sigmora will save a backup of this file to: ";

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, std::string_view bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

struct FileFixture : ::testing::Test {
    test::FakeUiPort ui;
    test::FixedMeasurer measurer{7};
    Editor editor{ui, measurer};
    fs::path dir;
    std::string title;

    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("sigmora-files-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        editor.onTitleChanged = [this](const std::string& t) { title = t; };
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string path(const char* name) const { return (dir / name).string(); }
    int rows() const { return editor.diagram().store.signalCount(); }
    void addRows()
    {
        editor.addRow(model::NewRowKind::Clock);
        editor.addRow(model::NewRowKind::Signal);
        editor.addRow(model::NewRowKind::Bus);
    }
    // Files in the folder, to see that no temporary file is left behind.
    std::vector<std::string> folder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The current diagram as a file of version "009" (items 1 to 29).
    std::string version009Bytes() const
    {
        std::string bytes = io::nativeFileBytes(editor.diagram());
        bytes.resize(bytes.size() - 11 * 4);
        bytes.replace(5, 3, "009");
        return bytes;
    }
};

} // namespace

TEST_F(FileFixture, NothingToSaveWithoutRows)
{
    editor.execute(cmd::FileSave);
    editor.execute(cmd::FileSaveAs);
    EXPECT_EQ(ui.messages, (std::vector<Asked>{{"There is nothing to save", ""}, {"There are no waveforms to save", ""}}));
    EXPECT_TRUE(ui.fileDialogs.empty());
}

TEST_F(FileFixture, SaveOnUntitledRunsSaveAsWithItsDialog)
{
    addRows();
    ui.fileNames = {std::nullopt};
    editor.execute(cmd::FileSave);
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    const auto& dialog = ui.fileDialogs[0];
    EXPECT_EQ(dialog.title, "Save Sigmora files");
    EXPECT_EQ(dialog.filters, (std::vector<std::pair<std::string, std::string>>{{"Sigmora files *.sgm", "*.sgm"},
                                                                                 {"All Files *.*", "*.*"}}));
    EXPECT_EQ(dialog.defaultExtension, "SGM");
    EXPECT_EQ(dialog.initialPath, "");
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_TRUE(folder().empty());
}

TEST_F(FileFixture, SaveAsWritesTakesTheNameAndSaveThenWritesWithoutADialog)
{
    addRows();
    const std::string file = path("wave.sgm");
    ui.fileNames = {file};
    editor.execute(cmd::FileSaveAs);
    EXPECT_EQ(readFile(file), io::nativeFileBytes(editor.diagram()));
    EXPECT_EQ(title, file + kTitleSuffix);
    EXPECT_FALSE(editor.diagram().modified);
    EXPECT_EQ(ui.recentFiles, (std::vector<std::string>{file}));
    EXPECT_TRUE(ui.questions.empty());

    editor.addRow(model::NewRowKind::Signal);
    editor.execute(cmd::FileSave);
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(readFile(file), io::nativeFileBytes(editor.diagram()));
    EXPECT_FALSE(editor.diagram().modified);
    EXPECT_EQ(folder(), (std::vector<std::string>{"wave.sgm"}));

    ui.fileNames = {std::nullopt};
    editor.execute(cmd::FileSaveAs);
    EXPECT_EQ(ui.fileDialogs.back().initialPath, file);
}

TEST_F(FileFixture, SaveAsOverAnExistingFileAsksFirst)
{
    addRows();
    const std::string file = path("old.sgm");
    writeFile(file, "previous");
    const Asked question{"File: " + file + " already exists.\n\nDo you want to overwrite the file?",
                         "File already exists..."};
    ui.fileNames = {file, file};
    ui.answers = {false, true};
    editor.execute(cmd::FileSaveAs);
    EXPECT_EQ(ui.questions, (std::vector<Asked>{question}));
    EXPECT_EQ(readFile(file), "previous");
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_TRUE(ui.recentFiles.empty());

    editor.execute(cmd::FileSaveAs);
    EXPECT_EQ(ui.questions.size(), 2u);
    EXPECT_EQ(readFile(file), io::nativeFileBytes(editor.diagram()));
}

TEST_F(FileFixture, AFailedSaveKeepsThePreviousFileAndModifiedAndSaysSo)
{
    addRows();
    const std::string file = path("kept.sgm");
    writeFile(file, "previous");
    editor.setFilePath(file);
    // A folder where the file should be: writing cannot replace it.
    const std::string folderTarget = path("a folder.sgm");
    fs::create_directory(folderTarget);
    ui.fileNames = {folderTarget, path("missing/wave.sgm")};
    ui.answers = {true};
    editor.execute(cmd::FileSaveAs);
    editor.execute(cmd::FileSaveAs);
    // Each message names the file and the system's reason on its second line.
    EXPECT_EQ(ui.messages, (std::vector<Asked>{{"Error saving file\n" + folderTarget + ": Is a directory", ""},
                                               {"Error saving file\n" + path("missing/wave.sgm") +
                                                    ": No such file or directory",
                                                ""}}));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(editor.filePath(), file);
    EXPECT_TRUE(ui.recentFiles.empty());
    EXPECT_EQ(folder(), (std::vector<std::string>{"a folder.sgm", "kept.sgm"}));
    EXPECT_TRUE(fs::is_directory(folderTarget));
    EXPECT_EQ(readFile(file), "previous");
}

TEST_F(FileFixture, AReadOnlyFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the super-user may write any file";
    addRows();
    const std::string file = path("locked.sgm");
    writeFile(file, "previous");
    ::chmod(file.c_str(), 0444);
    editor.setFilePath(file);
    editor.execute(cmd::FileSave);
    EXPECT_EQ(ui.messages, (std::vector<Asked>{{"The file could not be accessed.  Please check if it is READ ONLY.\n" +
                                                    file + ": Permission denied",
                                                ""}}));
    EXPECT_EQ(readFile(file), "previous");
    EXPECT_TRUE(editor.diagram().modified);
}

TEST_F(FileFixture, AFolderThatRefusesWritingGivesTheReadOnlyMessage)
{
    // The kernel's /sys refuses new files to everyone, the super-user included.
    if (!fs::is_directory("/sys/kernel"))
        GTEST_SKIP() << "no /sys here";
    addRows();
    ui.fileNames = {"/sys/kernel/sigmora-test.sgm"};
    editor.execute(cmd::FileSaveAs);
    EXPECT_EQ(ui.messages, (std::vector<Asked>{{"The file could not be accessed.  Please check if it is READ ONLY.\n"
                                                "/sys/kernel/sigmora-test.sgm: Permission denied",
                                                ""}}));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_EQ(title, "");
}

TEST_F(FileFixture, SaveKeepsThePermissionsOfTheFileItReplaces)
{
    addRows();
    const std::string file = path("shared.sgm");
    writeFile(file, "previous");
    ::chmod(file.c_str(), 0640);
    editor.setFilePath(file);
    editor.execute(cmd::FileSave);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(readFile(file), io::nativeFileBytes(editor.diagram()));
}

TEST_F(FileFixture, OpenReadsWhatSaveWroteByteForByte)
{
    addRows();
    editor.diagram().store.list(model::ListId::Texts).append("120.30.160.46.note.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    editor.diagram().settings.labelStart = 5;
    editor.diagram().settings.labelIncrement = 2;
    const std::string file = path("round.sgm");
    ui.fileNames = {file};
    editor.execute(cmd::FileSaveAs);
    const std::string saved = readFile(file);

    editor.execute(cmd::FileNew);
    ui.fileNames = {file};
    editor.execute(cmd::FileOpen);
    EXPECT_EQ(ui.fileDialogs.back().title, "Open Sigmora files");
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(title, file + kTitleSuffix);
    EXPECT_FALSE(editor.diagram().modified);
    EXPECT_EQ(editor.diagram().labelNumbers[0], 5);
    EXPECT_EQ(editor.diagram().labelNumbers[1], 7);
    EXPECT_EQ(ui.recentFiles, (std::vector<std::string>{file, file}));
    EXPECT_FALSE(editor.commandState(cmd::EditUndo)->enabled);
    editor.diagram().modified = true;
    editor.execute(cmd::FileSave);
    EXPECT_TRUE(readFile(file) == saved);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileFixture, OpenAsksToSaveChangesAndGoesOnAfterNo)
{
    const std::string file = path("other.sgm");
    addRows();
    writeFile(file, io::nativeFileBytes(editor.diagram()));
    editor.addRow(model::NewRowKind::Signal);
    ui.answers = {false};
    ui.fileNames = {file};
    editor.execute(cmd::FileOpen);
    EXPECT_EQ(ui.questions, (std::vector<Asked>{{"Do you want to save your changes?", "Save Changes?"}}));
    EXPECT_EQ(rows(), 3);
}

// Whatever goes wrong in Open, the open diagram stays on screen as it was: its rows, its file
// name, `modified` and its undo history.
TEST_F(FileFixture, AFailedOpenLeavesTheOpenDiagramAlone)
{
    addRows();
    const std::string bytes = io::nativeFileBytes(editor.diagram());
    std::string damaged = bytes;
    damaged.replace(8, 4, std::string("\xff\xff\xff\x7f", 4)); // a cell width no diagram has
    writeFile(path("empty.sgm"), "");
    writeFile(path("text.sgm"), "just some text");
    writeFile(path("cut.sgm"), bytes.substr(0, bytes.size() / 2));
    writeFile(path("tagonly.sgm"), bytes.substr(0, 8));
    writeFile(path("damaged.sgm"), damaged);
    fs::create_directory(path("folder.sgm"));
    struct Case {
        const char* name;
        std::string message; // besides the caption
        const char* caption;
    };
    const Case cases[] = {
        {"absent.sgm", "Error open file\n" + path("absent.sgm") + ": No such file or directory", ""},
        {"folder.sgm", "Error open file\n" + path("folder.sgm") + ": Is a directory", ""},
        // Every message names the file, on a line of its own.
        {"empty.sgm", "This is not a valid Sigmora file.\n" + path("empty.sgm"), "Sigmora"},
        {"text.sgm", "This is not a valid Sigmora file.\n" + path("text.sgm"), "Sigmora"},
        {"tagonly.sgm",
         "This Sigmora file is damaged and cannot be read (the data ends inside a number).\n" + path("tagonly.sgm"),
         "Sigmora"},
        {"cut.sgm", "This Sigmora file is damaged and cannot be read (the data ends inside a grid).\n" + path("cut.sgm"),
         "Sigmora"},
        {"damaged.sgm",
         "This Sigmora file is damaged and cannot be read (a layout size is out of range).\n" + path("damaged.sgm"),
         "Sigmora"},
    };
    const std::string kept = path("kept.sgm");
    editor.setFilePath(kept);
    editor.addRow(model::NewRowKind::Clock); // one change to undo, unsaved
    const std::string before = io::nativeFileBytes(editor.diagram());
    for (const Case& c : cases) {
        ui.messages.clear();
        ui.recentFiles.clear();
        ui.answers = {false};
        ui.fileNames = {path(c.name)};
        editor.execute(cmd::FileOpen);
        ASSERT_EQ(ui.messages.size(), 1u) << c.name;
        EXPECT_EQ(ui.messages[0].text, c.message) << c.name;
        EXPECT_EQ(ui.messages[0].caption, c.caption) << c.name;
        EXPECT_EQ(io::nativeFileBytes(editor.diagram()), before) << c.name;
        EXPECT_EQ(editor.filePath(), kept) << c.name;
        EXPECT_EQ(title, kept + kTitleSuffix) << c.name;
        EXPECT_TRUE(editor.diagram().modified) << c.name;
        EXPECT_TRUE(ui.recentFiles.empty()) << c.name;
    }
    // The undo history is the one before the failed opens: Undo takes back the last row.
    ASSERT_TRUE(editor.commandState(cmd::EditUndo)->enabled);
    editor.execute(cmd::EditUndo);
    EXPECT_EQ(rows(), 3);
}

TEST_F(FileFixture, CommandLineFileOpensWithoutADialog)
{
    addRows();
    const std::string file = path("named.sgm");
    writeFile(file, io::nativeFileBytes(editor.diagram()));
    editor.diagram().modified = false;
    editor.execute(cmd::FileNew);
    editor.openNamedFile(file);
    EXPECT_TRUE(ui.fileDialogs.empty());
    EXPECT_EQ(rows(), 3);
    EXPECT_FALSE(editor.commandLineFile.has_value());
    ui.fileNames = {std::nullopt};
    editor.execute(cmd::FileOpen); // the name was used up: the dialog is shown again
    EXPECT_EQ(ui.fileDialogs.size(), 1u);
}

TEST_F(FileFixture, TextBoxesTurnedInsideOutGetTheSizeOfTheirText)
{
    addRows();
    auto& texts = editor.diagram().store.list(model::ListId::Texts);
    texts.append("200.40.100.56.two\\nlines~QorWFPeriod~.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    texts.append("200.40.300.20.kept.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    texts.append("200.40.300.90.kept.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    const std::string file = path("boxes.sgm");
    writeFile(file, io::nativeFileBytes(editor.diagram()));
    ui.answers = {false};
    ui.fileNames = {file};
    editor.execute(cmd::FileOpen);
    // The widest line "lines." is 6 characters of 7 pixels; two lines of 16 pixels.
    EXPECT_EQ(texts.get(0), "200.40.242.72.two\\nlines~QorWFPeriod~.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    EXPECT_EQ(texts.get(1), "200.40.228.56.kept.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
    EXPECT_EQ(texts.get(2), "200.40.300.90.kept.SigmoraNone.     0.Arial.8.0.0.0.1.0.0.0.");
}

TEST_F(FileFixture, PreviousVersionIsBackedUpConvertedAndRewritten)
{
    addRows();
    for (const char* name : {"old.sgm", "OLD2.SGM"}) {
        const std::string file = path(name);
        const std::string old = version009Bytes();
        const int separators = model::fields::countSeparators(model::fields::dataOfRow(editor.diagram().store.signals().get(0)));
        writeFile(file, old);
        const std::string backup = std::string(name) == "old.sgm" ? path("old_backup.sgm") : path("OLD2_backup.SGM");
        ui.questions.clear();
        ui.answers = {false, true};
        editor.openNamedFile(file);
        EXPECT_EQ(ui.questions, (std::vector<Asked>{{"Do you want to save your changes?", "Save Changes?"},
                                                    {kConvertQuestion + backup, "Convert File?"}}));
        EXPECT_EQ(readFile(backup), old) << name;
        const std::string rewritten = readFile(file);
        EXPECT_EQ(rewritten.substr(0, 8), std::string("\x03SGM\x03" "012", 8));
        EXPECT_EQ(rewritten, io::nativeFileBytes(editor.diagram()));
        EXPECT_EQ(rows(), 3);
        EXPECT_EQ(title, file + kTitleSuffix);
        EXPECT_FALSE(editor.diagram().modified);
        // "009" rows gained the differential and active-low fields.
        EXPECT_EQ(model::fields::countSeparators(model::fields::dataOfRow(editor.diagram().store.signals().get(0))),
                  separators + 2);
        editor.diagram().modified = true;
    }
}

TEST_F(FileFixture, OldRegionsWithoutTheirStyleAreReportedOnceAfterConversion)
{
    addRows();
    editor.diagram().store.list(model::ListId::LegacyRegions).append("1.Clock.");
    editor.diagram().store.list(model::ListId::LegacyRegions).append("2.Clock.");
    editor.diagram().modified = false;
    // A file older than "009": items 1 to 25 only.
    std::string old = io::nativeFileBytes(editor.diagram());
    old.resize(old.size() - 2 * 3 * 600 * 4 - 2 * 4 - 11 * 4);
    old.replace(5, 3, "008");
    writeFile(path("old.sgm"), old);
    ui.answers = {true};
    editor.openNamedFile(path("old.sgm"));
    EXPECT_EQ(rows(), 3);
    EXPECT_EQ(ui.messages, (std::vector<Asked>{{"can't find flood style", ""}}));
}

TEST_F(FileFixture, DecliningConversionOrAFailedBackupLeavesTheOpenDiagramAndTheFile)
{
    addRows();
    const std::string file = path("old.sgm");
    const std::string old = version009Bytes();
    writeFile(file, old);
    editor.setFilePath(path("current.sgm"));
    editor.diagram().modified = false;
    const std::string before = io::nativeFileBytes(editor.diagram());
    ui.answers = {false};
    editor.openNamedFile(file);
    EXPECT_EQ(io::nativeFileBytes(editor.diagram()), before);
    EXPECT_EQ(folder(), (std::vector<std::string>{"old.sgm"}));
    EXPECT_EQ(title, path("current.sgm") + kTitleSuffix);

    fs::create_directory(path("old_backup.sgm")); // the backup cannot be written
    ui.answers = {true};
    editor.openNamedFile(file);
    EXPECT_EQ(ui.messages,
              (std::vector<Asked>{{"Backup failed on conversion\n" + path("old_backup.sgm") + ": Is a directory", ""}}));
    EXPECT_EQ(io::nativeFileBytes(editor.diagram()), before);
    EXPECT_EQ(readFile(file), old);
    EXPECT_EQ(title, path("current.sgm") + kTitleSuffix);
    EXPECT_FALSE(editor.diagram().modified);
}

TEST_F(FileFixture, TestbenchPortListIsReadAndTheClockDialogShown)
{
    addRows();
    editor.diagram().modified = false;
    const std::string list = path("import_tb.txt");
    writeFile(list, "\"clk\",in,1,0\r\n\"data\",out,8,255\n\"rst\",in,1,0\n\n");
    ui.dutClockChoices = {std::vector<int>{2, 0}};
    editor.openNamedFile(list);
    EXPECT_EQ(editor.testbenchPorts, (std::vector<io::Port>{{"clk", "in", 1, "0"}, {"data", "out", 8, "255"},
                                                            {"rst", "in", 1, "0"}}));
    // The dialog offers the ports; each port chosen becomes a clock of its name, the others no row.
    EXPECT_EQ(ui.dutClockLists, (std::vector<std::vector<std::string>>{{"clk", "data", "rst"}}));
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(model::fields::nameOfRow(editor.diagram().store.signals().get(0)), "rst");
    EXPECT_EQ(model::fields::nameOfRow(editor.diagram().store.signals().get(1)), "clk");
    EXPECT_EQ(editor.diagram().store.signals().get(1), model::buildRowRecord(model::NewRowKind::Clock, "clk", 1));
    EXPECT_TRUE(editor.diagram().modified);
    EXPECT_TRUE(ui.fileDialogs.empty());

    // A list that cannot be read, or the dialog cancelled, leaves the diagram as it was.
    editor.diagram().modified = false;
    editor.openNamedFile(path("missing_import_tb.txt"));
    EXPECT_EQ(ui.messages, (std::vector<Asked>{{"Problem parsing the RTL entity\n" + path("missing_import_tb.txt") +
                                                    ": No such file or directory",
                                                ""}}));
    EXPECT_EQ(ui.dutClockLists.size(), 1u);
    EXPECT_EQ(rows(), 2);
    editor.openNamedFile(list);
    EXPECT_EQ(ui.dutClockLists.size(), 2u);
    EXPECT_EQ(rows(), 2);
    EXPECT_EQ(editor.testbenchPorts.size(), 3u);
}
