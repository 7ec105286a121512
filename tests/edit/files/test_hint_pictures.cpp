#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "edit/session/CommandIds.h"
#include "support/EditorDriver.h"

using namespace sigmora;
namespace cmd = edit::cmd;
namespace fs = std::filesystem;

// The draw hint is drawn from the first row added until a command clears it; the start hint
// goes for good when a row is added or comma-separated text is imported.
TEST(HintPictures, SetAndClearedByTheirCommands)
{
    const fs::path csv = fs::temp_directory_path() / ("sigmora-hints-" + std::to_string(::getpid()) + ".csv");
    std::ofstream(csv) << "S,0101\nT,1100\n";
    struct Case {
        const char* what;
        std::function<void(test::EditorDriver&)> act;
        bool drawHint, startHint;
    };
    const Case cases[] = {
        {"nothing done", [](test::EditorDriver&) {}, false, true},
        {"a row added", [](test::EditorDriver& d) { d.addSignals(1); }, true, false},
        {"the Draw tool",
         [](test::EditorDriver& d) {
             d.addSignals(1);
             d.editor.execute(cmd::ModeDraw);
         },
         false, false},
        {"a separator inserted",
         [](test::EditorDriver& d) {
             d.addSignals(1);
             d.editor.execute(cmd::InsertSeparatorSolid);
         },
         false, false},
        {"comma-separated text imported",
         [&csv](test::EditorDriver& d) {
             d.ui.fileNames = {csv.string()};
             d.editor.execute(cmd::ImportCsv);
         },
         false, false},
        {"an import cancelled",
         [](test::EditorDriver& d) {
             d.ui.fileNames = {std::nullopt};
             d.editor.execute(cmd::ImportCsv);
         },
         false, true},
        // The comma-separated import discards the draw hint: the next row added does not bring it back.
        {"a row added after comma-separated text was imported",
         [&csv](test::EditorDriver& d) {
             d.ui.fileNames = {csv.string()};
             d.editor.execute(cmd::ImportCsv);
             d.addSignals(1);
         },
         false, false},
        // New loads it again.
        {"a row added after the import and New",
         [&csv](test::EditorDriver& d) {
             d.ui.fileNames = {csv.string()};
             d.editor.execute(cmd::ImportCsv);
             d.ui.answers = {true, false}; // start a new diagram, without saving
             d.editor.newDiagram();
             d.addSignals(1);
         },
         true, false},
    };
    for (const Case& c : cases) {
        test::EditorDriver d;
        c.act(d);
        EXPECT_EQ(d.editor.drawHint, c.drawHint) << c.what;
        EXPECT_EQ(d.editor.startHint, c.startHint) << c.what;
    }
    fs::remove(csv);
}
