// The real program's command line handed names that are not what they seem: pipes, devices,
// dangling and looping links, the input as the output, a file-size limit, unknown options, no
// display and names that hold escape sequences. Each is refused at once, with its reason, and
// leaves every file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* kDump = "$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n$var wire 1 \" d $end\n"
                    "$upscope $end\n$enddefinitions $end\n"
                    "#0\n0!\n0\"\n#5\n1!\n#10\n0!\n1\"\n#15\n1!\n#20\n0!\n0\"\n#25\n1!\n#30\n0!\n";
// A conversion that waits on a pipe is cut off after this long (timeout's status is 124).
constexpr const char* kPatience = "timeout 30 ";

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A name quoted for the shell, whatever bytes it holds.
std::string quoted(const std::string& text)
{
    std::string q = "'";
    for (char c : text)
        q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

struct FilesHandedOver : ::testing::Test {
    fs::path dir;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sigmora-handed-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "home");
        std::ofstream(dir / "tb.vcd") << kDump;
        fs::copy_file(fs::path(SIGMORA_SOURCE_DIR) / "examples" / "annotated.sgm", dir / "annotated.sgm");
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path at(const std::string& name) const { return dir / name; }

    // Runs the shell command before the program's arguments: "PREFIX sigmora ARGS"; answers the
    // exit status, standard error in err.
    int run(const std::string& prefix, const std::string& args, std::string& err) const
    {
        const fs::path errFile = dir / "err.txt";
        const std::string command = "cd " + quoted(dir.string()) + " && HOME=" + quoted((dir / "home").string()) +
                                    " " + prefix + SIGMORA_EXECUTABLE + " " + args + " 2>" +
                                    quoted(errFile.string()) + " </dev/null";
        const int status = std::system(command.c_str());
        err = slurp(errFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int convert(const fs::path& in, const fs::path& out, std::string& err, const std::string& prefix = "") const
    {
        return run(prefix + kPatience + "env QT_QPA_PLATFORM=offscreen ",
                   "--convert " + quoted(in.string()) + " " + quoted(out.string()), err);
    }
    // The hidden files in the folder: a temporary file left behind would be one.
    std::vector<std::string> hiddenFiles() const
    {
        std::vector<std::string> hidden;
        for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
            if (e.path().filename().string().starts_with("."))
                hidden.push_back(e.path().filename().string());
        }
        return hidden;
    }
};

bool isFifo(const fs::path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

} // namespace

// A pipe as the input of any format, a device, a link to a device: the conversion ends at once
// with the reason, instead of waiting for a writer or reading without end.
TEST_F(FilesHandedOver, InputsThatAreNoRegularFileAreRefusedAtOnce)
{
    std::vector<std::pair<fs::path, std::string>> inputs;
    for (const char* extension : {"sgm", "svg", "xml", "csv", "json", "vcd", "bin"}) {
        const fs::path pipe = at(std::string("pipe.") + extension);
        ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
        inputs.emplace_back(pipe, "Is a named pipe, not a regular file");
    }
    inputs.emplace_back("/dev/zero", "Is a device, not a regular file");
    fs::create_symlink("/dev/zero", at("zero.sgm"));
    inputs.emplace_back(at("zero.sgm"), "Is a device, not a regular file");
    fs::create_symlink(at("gone.sgm"), at("dangling.sgm"));
    inputs.emplace_back(at("dangling.sgm"), "Is a link to a file that does not exist");
    for (const auto& [in, reason] : inputs) {
        std::string err;
        EXPECT_EQ(convert(in, at("out.csv"), err), 1) << in << ": " << err;
        EXPECT_NE(err.find("sigmora: cannot open " + in.string() + "\n" + in.string() + ": " + reason + "\n"),
                  std::string::npos)
            << in << ": " << err;
        EXPECT_FALSE(fs::exists(at("out.csv"))) << in;
    }
}

// An output that is a pipe, a device, a link to either, a dangling or a looping link is refused
// with the reason and stays what it was; a link to a regular file is followed, as always.
TEST_F(FilesHandedOver, OutputsThatAreNoRegularFileAreRefusedAndKept)
{
    ASSERT_EQ(::mkfifo(at("pipe.vcd").c_str(), 0644), 0);
    // A device node of the test's own stands for /dev/null, which a faulty conversion run as
    // root would replace; without root a pipe stands in for it.
    const bool device = ::mknod(at("null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
    if (!device) {
        ASSERT_EQ(::mkfifo(at("null").c_str(), 0644), 0);
    }
    const std::string deviceReason = device ? "Is a device" : "Is a named pipe";
    fs::create_symlink(at("null"), at("null.csv"));
    fs::create_symlink(at("pipe.vcd"), at("to-pipe.svg"));
    fs::create_symlink(at("nowhere/diagram.sgm"), at("dangling.sgm"));
    fs::create_symlink(at("loop-b.xml"), at("loop-a.xml"));
    fs::create_symlink(at("loop-a.xml"), at("loop-b.xml"));
    const struct {
        const char* out;
        std::string reason;
    } cases[] = {
        {"pipe.vcd", "Is a named pipe, not a regular file"},
        {"null.csv", deviceReason + ", not a regular file"},
        {"to-pipe.svg", "Is a named pipe, not a regular file"},
        {"dangling.sgm", "Is a link to a file that does not exist"},
        {"loop-a.xml", "Too many levels of symbolic links"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(convert(at("annotated.sgm"), at(c.out), err), 1) << c.out << ": " << err;
        EXPECT_NE(err.find("sigmora: cannot write " + at(c.out).string() + "\n" + at(c.out).string() + ": " +
                           c.reason + "\n"),
                  std::string::npos)
            << c.out << ": " << err;
    }
    EXPECT_TRUE(isFifo(at("pipe.vcd")));
    struct stat info {};
    ASSERT_EQ(::lstat(at("null").c_str(), &info), 0);
    EXPECT_TRUE(device ? S_ISCHR(info.st_mode) : S_ISFIFO(info.st_mode));
    for (const char* link : {"null.csv", "to-pipe.svg", "dangling.sgm", "loop-a.xml", "loop-b.xml"})
        EXPECT_TRUE(fs::is_symlink(at(link))) << link;
    EXPECT_FALSE(fs::exists(at("nowhere")));
    EXPECT_TRUE(hiddenFiles().empty());

    std::string err;
    std::ofstream(at("real.csv")) << "old";
    fs::create_symlink(at("real.csv"), at("link.csv"));
    ASSERT_EQ(convert(at("annotated.sgm"), at("link.csv"), err), 0) << err;
    EXPECT_TRUE(fs::is_symlink(at("link.csv")));
    EXPECT_NE(slurp(at("real.csv")), "old");
}

// A conversion never writes over the file it reads, by any name; a diagram may be saved onto
// itself in the current layout.
TEST_F(FilesHandedOver, AnOutputThatIsTheInputIsRefused)
{
    std::string err;
    ASSERT_EQ(convert(at("annotated.sgm"), at("a.svg"), err), 0) << err;
    ASSERT_EQ(convert(at("annotated.sgm"), at("a.csv"), err), 0) << err;
    fs::create_hard_link(at("tb.vcd"), at("hard.vcd"));
    fs::create_symlink(at("tb.vcd"), at("soft.vcd"));
    const struct {
        const char* in;
        const char* out;
        const char* says;
    } cases[] = {
        {"tb.vcd", "tb.vcd", ": it is the input file, which a conversion does not write over"},
        {"tb.vcd", "hard.vcd", ": it is the input file "},
        {"soft.vcd", "tb.vcd", ": it is the input file "},
        {"a.svg", "a.svg", ": it is the input file"},
        {"a.csv", "a.csv", ": it is the input file"},
    };
    for (const auto& c : cases) {
        const std::string before = slurp(at(c.in));
        EXPECT_EQ(convert(at(c.in), at(c.out), err), 1) << c.in << " to " << c.out << ": " << err;
        EXPECT_NE(err.find("sigmora: cannot write " + at(c.out).string() + c.says), std::string::npos) << err;
        EXPECT_EQ(slurp(at(c.in)), before) << c.in;
    }
    EXPECT_TRUE(fs::is_symlink(at("soft.vcd")));
    EXPECT_EQ(fs::hard_link_count(at("tb.vcd")), 2u);

    const std::string diagram = slurp(at("annotated.sgm"));
    EXPECT_EQ(convert(at("annotated.sgm"), at("annotated.sgm"), err), 0) << err;
    EXPECT_EQ(slurp(at("annotated.sgm")), diagram) << "a current diagram saved onto itself is the same";
}

// A dump of many signals and changes: its dump output is large too.
std::string wideDump()
{
    std::string dump = "$timescale 1ns $end\n$scope module tb $end\n$var wire 1 ! clk $end\n";
    constexpr int kSignals = 32;
    constexpr int kEdges = 200;
    for (int s = 0; s < kSignals; ++s)
        dump += "$var wire 1 s" + std::to_string(s) + " d" + std::to_string(s) + " $end\n";
    dump += "$upscope $end\n$enddefinitions $end\n";
    for (int t = 0; t < kEdges; ++t) {
        dump += "#" + std::to_string(t * 5) + "\n" + std::to_string(t % 2) + "!\n";
        for (int s = 0; s < kSignals; ++s) {
            if ((t + s) % 3 == 0)
                dump += std::to_string((t / 2 + s) % 2) + "s" + std::to_string(s) + "\n";
        }
    }
    return dump;
}

// Under a file-size limit, a write past it fails with the system's "File too large" and leaves
// the old file and no temporary file: the program is not killed halfway through.
TEST_F(FilesHandedOver, AFileSizeLimitIsReportedAndLeavesTheOldFile)
{
    std::ofstream(at("wide.vcd")) << wideDump();
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"annotated.sgm", "big.svg"}, {"annotated.sgm", "big.sgm"}, {"wide.vcd", "big.vcd"},
                 {"annotated.sgm", "big.bmp"}, {"annotated.sgm", "big.png"}, {"wide.vcd", "big.xml"}};
    for (const auto& c : cases) {
        std::string err;
        const fs::path free = at(std::string("free-") + c.out);
        ASSERT_EQ(convert(at(c.in), free, err), 0) << err;
        // The limit, in the shell's blocks of 512 bytes: half the output, and room for the error.
        const std::uintmax_t blocks = fs::file_size(free) / 1024;
        ASSERT_GE(blocks, 2u) << c.out << " is too small to test";
        std::ofstream(at(c.out)) << "old";
        EXPECT_EQ(convert(at(c.in), at(c.out), err, "ulimit -f " + std::to_string(blocks) + "; "), 1)
            << c.out << ": " << err;
        EXPECT_NE(err.find("sigmora: cannot write " + at(c.out).string() + "\n" + at(c.out).string() +
                           ": File too large\n"),
                  std::string::npos)
            << c.out << ": " << err;
        EXPECT_EQ(slurp(at(c.out)), "old") << c.out;
        EXPECT_EQ(hiddenFiles(), std::vector<std::string>{}) << c.out;
    }
}

// An option the editor does not know is refused with the usage, before any window or display is
// looked for; Qt's own options for the window pass.
TEST_F(FilesHandedOver, AnUnknownOptionIsRefusedWithTheUsage)
{
    const std::string usage = "Usage: sigmora [FILE]\n       sigmora --convert IN OUT [OPTIONS]   (sigmora --help "
                              "tells more)\n";
    const struct {
        const char* args;
        const char* option;
    } cases[] = {
        {"--bogus", "--bogus"},
        {"-x", "-x"},
        {"diagram.sgm --bogus", "--bogus"},
        {"-platform offscreen --bogus", "--bogus"},
        {"'--\033]0;title\007'", "--\\e]0;title\\x07"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ", c.args, err), 2) << c.args;
        EXPECT_EQ(err, "sigmora: unknown option " + std::string(c.option) + "\n" + usage) << c.args;
    }
}

// Without a display the editor says so in one line and ends, instead of Qt's lines and a core
// dump; the same when the display named cannot be reached.
TEST_F(FilesHandedOver, WithoutADisplayTheEditorSaysSoInOneLine)
{
    for (const char* environment : {"env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ",
                                    "env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:1999 "}) {
        std::string err;
        EXPECT_EQ(run(environment + std::string("XDG_RUNTIME_DIR=") + quoted((dir / "home").string()) + " ",
                      "diagram.sgm", err),
                  1)
            << environment << err;
        EXPECT_TRUE(err.starts_with("sigmora: no display to open the window on")) << err;
        EXPECT_NE(err.find("; sigmora --convert needs none\n"), std::string::npos) << err;
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    }
}

// Names from the command line and from files are printed with their control characters escaped:
// an escape sequence in a file's name does not reach the terminal.
TEST_F(FilesHandedOver, EscapeSequencesInNamesArePrintedEscaped)
{
    const std::string name = "\033[2J\033]0;owned\007red\r\x9b.sgm";
    const struct {
        std::string in;
        std::string out;
        std::string shown;
    } cases[] = {
        {name, "out.csv", "cannot open \\e[2J\\e]0;owned\\x07red\\r\\x9b.sgm"},
        {"annotated.sgm", "\033[31m.xyz", "unknown output type: \\e[31m.xyz"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(convert(at(c.in).filename(), at(c.out).filename(), err), 1) << err;
        EXPECT_NE(err.find(c.shown), std::string::npos) << err;
        for (char control : {'\033', '\007', '\r', '\x9b'})
            EXPECT_EQ(err.find(control), std::string::npos) << err;
    }
}
