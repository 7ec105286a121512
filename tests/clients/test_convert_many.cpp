// The real program converting many files in one run, as a documentation build calls it:
// "sigmora --convert-to FORMATS [--outdir DIR] FILE..." writes what "sigmora --convert" writes
// for each file, beside it or in DIR; a file that fails is told on one line of standard error
// (its name escaped) while the others are still converted, and nothing half-written is left.
// And "sigmora --text FILE" as git's textconv driver: a real git diff between two commits of a
// diagram shows the row that changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kExamples = fs::path(SIGMORA_SOURCE_DIR) / "examples";
const char* kExampleNames[] = {"annotated", "handshake", "spi"};

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string quotedArg(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

struct ConvertMany : ::testing::Test {
    fs::path dir;
    std::string err;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-many-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    // Runs sigmora with the arguments (each quoted); answers the exit status, standard output in
    // out and standard error in err.
    int run(const std::vector<std::string>& args, std::string* out = nullptr)
    {
        std::string command = std::string("cd ") + quotedArg(dir.string()) + " && QT_QPA_PLATFORM=offscreen " +
                              SIGMORA_EXECUTABLE;
        for (const std::string& arg : args)
            command += " " + quotedArg(arg);
        command += " >" + quotedArg((dir / "stdout.txt").string()) + " 2>" + quotedArg((dir / "stderr.txt").string());
        const int status = std::system(command.c_str());
        err = slurp(dir / "stderr.txt");
        if (out)
            *out = slurp(dir / "stdout.txt");
        fs::remove(dir / "stdout.txt");
        fs::remove(dir / "stderr.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // The names of the files in folder (its temporaries too), sorted.
    static std::set<std::string> filesIn(const fs::path& folder)
    {
        std::set<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }
};

} // namespace

// Every input to every output type named, each file the bytes --convert writes for it.
TEST_F(ConvertMany, EveryInputToEveryTypeInTheOutputFolderAsConvertWritesIt)
{
    fs::create_directories(dir / "out");
    fs::create_directories(dir / "single");
    std::vector<std::string> args = {"--convert-to", "svg,.png,PDF,txt,xml", "--outdir", (dir / "out").string()};
    for (const char* name : kExampleNames)
        args.push_back((kExamples / (std::string(name) + ".sgm")).string());
    ASSERT_EQ(run(args), 0) << err;
    EXPECT_EQ(err, "");
    std::set<std::string> expected;
    for (const char* name : kExampleNames) {
        for (const char* ext : {".svg", ".png", ".pdf", ".txt", ".xml"}) {
            const std::string file = std::string(name) + ext;
            expected.insert(file);
            const fs::path single = dir / "single" / file;
            ASSERT_EQ(run({"--convert", (kExamples / (std::string(name) + ".sgm")).string(), single.string()}), 0)
                << err;
            const std::string bytes = slurp(dir / "out" / file);
            EXPECT_GT(bytes.size(), 100u) << file;
            EXPECT_EQ(bytes, slurp(single)) << file << " differs from what --convert writes";
        }
    }
    EXPECT_EQ(filesIn(dir / "out"), expected);
}

// Without --outdir each output lands beside its input, also for inputs of other formats, and
// the files shared out among more workers than there are cores all arrive.
TEST_F(ConvertMany, WithoutAnOutputFolderEachOutputLandsBesideItsInput)
{
    std::vector<std::string> args = {"--convert-to", "svg,sgm", "--jobs", "3"};
    for (int copy = 0; copy < 8; ++copy) {
        const fs::path folder = dir / ("part" + std::to_string(copy));
        fs::create_directories(folder);
        const char* name = kExampleNames[copy % 3];
        fs::copy_file(kExamples / (std::string(name) + ".sgm"), folder / (std::string(name) + "-" + std::to_string(copy) + ".sgm"));
        args.push_back((folder / (std::string(name) + "-" + std::to_string(copy) + ".sgm")).string());
    }
    fs::copy_file(fs::path(SIGMORA_SOURCE_DIR) / "tests/clients/wavejson/annotated.json", dir / "wave.json");
    args.push_back("wave.json"); // relative to the working folder
    ASSERT_EQ(run(args), 0) << err;
    EXPECT_EQ(err, "");
    for (int copy = 0; copy < 8; ++copy) {
        const std::string stem = std::string(kExampleNames[copy % 3]) + "-" + std::to_string(copy);
        const fs::path folder = dir / ("part" + std::to_string(copy));
        EXPECT_EQ(filesIn(folder), (std::set<std::string>{stem + ".sgm", stem + ".svg"})) << folder;
        EXPECT_NE(slurp(folder / (stem + ".svg")).find("<svg"), std::string::npos) << stem;
    }
    EXPECT_TRUE(fs::is_regular_file(dir / "wave.svg"));
    EXPECT_TRUE(fs::is_regular_file(dir / "wave.sgm"));
}

struct BadInputCase {
    const char* what;
    const char* file;     // made in the test folder; "" when it is not made
    const char* contents; // of the file
    const char* reason;   // the words of the reason printed
};

// A missing, damaged, empty or unreadable input each fail on one line that names the file and
// the reason; the good files around them are still converted; exit status 1; nothing of the
// failed ones is written and no temporary is left.
TEST_F(ConvertMany, EachBadInputIsToldOnOneLineAndTheOthersAreConverted)
{
    const BadInputCase cases[] = {
        {"a missing file", "", "", "No such file or directory"},
        {"a damaged diagram", "damaged.sgm", "SGM012 this is not a diagram at all", "damaged"},
        {"another program's file", "other.sgm", "PK\x03\x04 zip bytes", "not a valid Sigmora file"},
        {"WaveJSON that is no JSON", "broken.json", "{\"signal\": [ {\"name\": ", ""},
        {"a folder named like a diagram", "folder.sgm", nullptr, "Is a directory"},
    };
    for (const int jobs : {1, 4}) {
        SCOPED_TRACE("jobs " + std::to_string(jobs));
        fs::remove_all(dir / "out");
        fs::create_directories(dir / "out");
        std::vector<std::string> args = {"--convert-to", "svg,png", "--outdir", "out", "--jobs", std::to_string(jobs),
                                         (kExamples / "spi.sgm").string()};
        for (const BadInputCase& c : cases) {
            const std::string file = *c.file ? c.file : "missing.sgm";
            if (c.contents == nullptr)
                fs::create_directories(dir / file);
            else if (*c.file)
                std::ofstream(dir / file, std::ios::binary) << c.contents;
            args.push_back(file);
        }
        args.push_back((kExamples / "handshake.sgm").string());
        EXPECT_EQ(run(args), 1);
        const std::vector<std::string> lines = linesOf(err);
        ASSERT_EQ(lines.size(), std::size(cases)) << err;
        for (const BadInputCase& c : cases) {
            const std::string file = *c.file ? c.file : "missing.sgm";
            int told = 0;
            for (const std::string& line : lines) {
                if (line.starts_with("sigmora: " + file) && line.find(c.reason) != std::string::npos)
                    ++told;
            }
            EXPECT_EQ(told, 1) << c.what << " in:\n" << err;
        }
        EXPECT_EQ(filesIn(dir / "out"),
                  (std::set<std::string>{"spi.svg", "spi.png", "handshake.svg", "handshake.png"}));
    }
}

// Wrong command lines are refused with status 2 before anything is written.
TEST_F(ConvertMany, AnUnknownTypeOrAWrongCommandLineWritesNothing)
{
    const fs::path input = kExamples / "spi.sgm";
    struct Case {
        std::vector<std::string> args;
        const char* told;
    };
    const Case cases[] = {
        {{"--convert-to", "svg,bogus", "--outdir", ".", input.string()}, "unknown output type: bogus"},
        {{"--convert-to", "svg,,png", "--outdir", ".", input.string()}, "unknown output type"},
        {{"--convert-to", "sgm.svg", "--outdir", ".", input.string()}, "unknown output type: sgm.svg"},
        {{"--convert-to", "svg", "--outdir", "."}, "needs at least one file"},
        {{"--convert-to", "svg", input.string(), "--outdir"}, "--outdir needs a value"},
        {{"--convert-to", "svg", "--jobs", "0", input.string()}, "--jobs takes a number"},
        {{"--convert-to", "svg", "--colour", "red", input.string()}, "unknown option --colour"},
        {{"--convert-to"}, "needs the output types"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.args), 2) << c.told;
        EXPECT_NE(err.find(c.told), std::string::npos) << err;
        EXPECT_EQ(filesIn(dir), std::set<std::string>{}) << c.told;
    }
}

// An output folder that does not exist, or that is a file, fails each input on its own line
// naming the file and the reason, and creates nothing.
TEST_F(ConvertMany, AnOutputFolderThatCannotBeWrittenIsToldForEachFile)
{
    std::ofstream(dir / "plain-file") << "x";
    for (const auto& [folder, reason] : {std::pair{"no-such-folder", "No such file or directory"},
                                         std::pair{"plain-file", "Not a directory"}}) {
        EXPECT_EQ(run({"--convert-to", "svg,pdf", "--outdir", folder, (kExamples / "spi.sgm").string(),
                       (kExamples / "handshake.sgm").string()}),
                  1);
        const std::vector<std::string> lines = linesOf(err);
        ASSERT_EQ(lines.size(), 4u) << err;
        for (const std::string& line : lines) {
            EXPECT_TRUE(line.find("spi.sgm") != std::string::npos || line.find("handshake.sgm") != std::string::npos)
                << line;
            EXPECT_NE(line.find(std::string(folder) + "/"), std::string::npos) << line;
            EXPECT_NE(line.find(reason), std::string::npos) << line;
        }
        EXPECT_EQ(filesIn(dir), std::set<std::string>{"plain-file"});
    }
}

// Two inputs that would write the same output: the first is converted, the second told; an
// output that is another input of the run is never written over.
TEST_F(ConvertMany, OutputsThatCollideAreToldAndNeverWrittenTwice)
{
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    fs::create_directories(dir / "out");
    fs::copy_file(kExamples / "spi.sgm", dir / "a/x.sgm");
    fs::copy_file(kExamples / "handshake.sgm", dir / "b/x.sgm");
    EXPECT_EQ(run({"--convert-to", "svg", "--outdir", "out", "a/x.sgm", "b/x.sgm"}), 1);
    ASSERT_EQ(linesOf(err).size(), 1u) << err;
    EXPECT_NE(err.find("sigmora: b/x.sgm"), std::string::npos) << err;
    EXPECT_NE(err.find("a/x.sgm is converted to it too"), std::string::npos) << err;
    ASSERT_EQ(run({"--convert", "a/x.sgm", "single.svg"}), 0) << err;
    EXPECT_EQ(slurp(dir / "out/x.svg"), slurp(dir / "single.svg"));

    // a/x.sgm to JSON would write over the input a/x.json.
    fs::copy_file(fs::path(SIGMORA_SOURCE_DIR) / "tests/clients/wavejson/annotated.json", dir / "a/x.json");
    const std::string before = slurp(dir / "a/x.json");
    EXPECT_EQ(run({"--convert-to", "json", "a/x.sgm", "a/x.json"}), 1);
    EXPECT_NE(err.find("it is the input a/x.json of this run"), std::string::npos) << err;
    EXPECT_EQ(slurp(dir / "a/x.json"), before);
}

// A name holding an escape sequence is printed escaped: nothing of it reaches the terminal raw.
TEST_F(ConvertMany, NamesWithEscapeSequencesArePrintedEscaped)
{
    const std::string name = "red\x1b[31m.sgm";
    std::ofstream(dir / name) << "not a diagram";
    EXPECT_EQ(run({"--convert-to", "svg", name}), 1);
    EXPECT_EQ(err.find('\x1b'), std::string::npos) << err;
    EXPECT_NE(err.find("red\\e[31m.sgm"), std::string::npos) << err;
    EXPECT_EQ(linesOf(err).size(), 1u) << err;
}

// The text form: one line a setting, a row and an annotation, the same every time; git diff
// through it shows the row that changed between two commits, and nothing else.
TEST_F(ConvertMany, GitDiffThroughTheTextFormShowsTheRowThatChanged)
{
    std::string text;
    ASSERT_EQ(run({"--text", (kExamples / "annotated.sgm").string()}, &text), 0) << err;
    std::string again;
    ASSERT_EQ(run({"--text", (kExamples / "annotated.sgm").string()}, &again), 0) << err;
    EXPECT_EQ(text, again);
    EXPECT_NE(text.find("\nsetting cellWidth "), std::string::npos) << text;
    EXPECT_NE(text.find("\nrow 1 \""), std::string::npos) << text;
    EXPECT_EQ(run({"--text", "missing.sgm"}), 1);
    EXPECT_NE(err.find("missing.sgm"), std::string::npos) << err;

    const fs::path repo = dir / "repo";
    fs::create_directories(repo);
    const std::string wave = "{\"signal\": [{\"name\": \"clk\", \"wave\": \"p.......\"}, "
                             "{\"name\": \"req\", \"wave\": \"01..0...\"}, {\"name\": \"ack\", \"wave\": \"0.1..0..\"}]}";
    std::ofstream(dir / "v1.json") << wave;
    std::string changed = wave;
    changed.replace(changed.find("01..0..."), 8, "0..1.0..");
    std::ofstream(dir / "v2.json") << changed;
    std::ofstream(repo / ".gitattributes") << "*.sgm diff=sigmora\n";
    const std::string git = "cd " + quotedArg(repo.string()) +
                            " && git -c user.name=t -c user.email=t@t -c init.defaultBranch=main ";
    ASSERT_EQ(std::system((git + "init -q && " + git + "config diff.sigmora.textconv " +
                           quotedArg(std::string(SIGMORA_EXECUTABLE) + " --text"))
                              .c_str()),
              0);
    ASSERT_EQ(run({"--convert", "v1.json", "repo/cycle.sgm"}), 0) << err;
    ASSERT_EQ(std::system((git + "add . && " + git + "commit -qm one").c_str()), 0);
    ASSERT_EQ(run({"--convert", "v2.json", "repo/cycle.sgm"}), 0) << err;
    ASSERT_EQ(std::system((git + "commit -qam two && QT_QPA_PLATFORM=offscreen " + git + "diff HEAD~1 HEAD >" +
                           quotedArg((dir / "diff.txt").string()))
                              .c_str()),
              0);
    std::vector<std::string> changedLines;
    for (const std::string& line : linesOf(slurp(dir / "diff.txt"))) {
        if ((line.starts_with("-") || line.starts_with("+")) && !line.starts_with("---") && !line.starts_with("+++"))
            changedLines.push_back(line);
    }
    ASSERT_EQ(changedLines.size(), 2u) << slurp(dir / "diff.txt");
    EXPECT_TRUE(changedLines[0].starts_with("-row 2 \"req\": ")) << changedLines[0];
    EXPECT_TRUE(changedLines[1].starts_with("+row 2 \"req\": ")) << changedLines[1];
    EXPECT_NE(changedLines[0], changedLines[1]);
}
