#include <gtest/gtest.h>

#include <filesystem>

#include "io/base/FileAccess.h"
#include "io/native/ArchiveWriter.h"
#include "io/native/NativeFileReader.h"
#include "io/native/NativeFileWriter.h"

// The time ruler, the parameter table and the timing parameters in the block after the diagram
// file's last item: written with the time base, read back, and what cannot be read told and
// left out without losing the rest.

using namespace sigmora;
namespace fs = std::filesystem;

namespace {

model::Diagram example(const char* name)
{
    model::Diagram d;
    const io::FileBytes file = io::readWholeFile((fs::path(SIGMORA_SOURCE_DIR) / "examples" / name).string());
    EXPECT_EQ(io::readAnyVersion(file.bytes, d).status, io::ReadResult::Status::Ok) << name;
    return d;
}

std::string block(const std::vector<std::pair<std::string, std::string>>& entries)
{
    std::string body, out;
    io::ArchiveWriter e(body);
    for (const auto& [key, value] : entries) {
        e.writeString(key);
        e.writeString(value);
    }
    io::ArchiveWriter w(out);
    w.writeString("SGMX");
    w.writeInt(1);
    w.writeInt(static_cast<int>(body.size()));
    w.writeBytes(body);
    return out;
}

model::TimingParameter rcd()
{
    model::TimingParameter p;
    p.symbol = "t_{RCD}";
    p.description = "RAS to CAS delay";
    p.min = 15;
    p.max = 22.5;
    p.unit = "ns";
    p.label = 2;
    return p;
}

} // namespace

TEST(TimingEntries, AreWrittenInTheBlockAndReadBack)
{
    model::Diagram d = example("handshake.sgm");
    const std::string plain = io::nativeFileBytes(d);
    d.extension.timeRuler = true;
    d.extension.parameterTable = true;
    model::TimingParameter cl;
    cl.symbol = "CL";
    cl.typ = 3;
    cl.unit = "\xC2\xB5s";
    d.extension.parameters = {rcd(), cl};
    const std::string bytes = io::nativeFileBytes(d);
    ASSERT_EQ(bytes.substr(0, plain.size()), plain);
    EXPECT_EQ(bytes.substr(plain.size()), block({{"ruler", "1"},
                                                 {"parametertable", "1"},
                                                 {"parameter", "t_{RCD}\tRAS to CAS delay\t15\t\t22.5\tns\t2"},
                                                 {"parameter", "CL\t\t\t3\t\t\xC2\xB5s\t"}}));
    model::Diagram back;
    const io::ReadResult r = io::readNativeFile(bytes, back);
    ASSERT_EQ(r.status, io::ReadResult::Status::Ok);
    EXPECT_TRUE(r.notes.empty()) << testing::PrintToString(r.notes);
    EXPECT_EQ(back.extension, d.extension);
    // A reader of the layout alone stops before the block: the same diagram without its time.
    model::Diagram older;
    ASSERT_EQ(io::readNativeFile(bytes.substr(0, plain.size()), older).status, io::ReadResult::Status::Ok);
    EXPECT_EQ(io::nativeFileBytes(older), plain);
}

TEST(TimingEntries, AParameterThatCannotBeReadIsToldAndTheRestKept)
{
    const model::Diagram d = example("handshake.sgm");
    const std::string plain = io::nativeFileBytes(d);
    const std::string good = "t_{RCD}\tRAS to CAS delay\t15\t\t22.5\tns\t2";
    const struct {
        const char* what;
        std::string value;
    } cases[] = {
        {"too few fields", "tRP\t\t1\t\t2\tns"},
        {"too many fields", "tRP\t\t1\t\t2\tns\t\t"},
        {"a minimum above the maximum", "tRP\t\t3\t\t2\tns\t"},
        {"a limit that is no number", "tRP\t\tx\t\t2\tns\t"},
        {"a unit that is no time", "tRP\t\t1\t\t2\tV\t"},
        {"a label that is no index", "tRP\t\t1\t\t2\tns\t-1"},
        {"no symbol", "\t\t1\t\t2\tns\t"},
    };
    for (const auto& c : cases) {
        model::Diagram back;
        const io::ReadResult r =
            io::readNativeFile(plain + block({{"parameter", good}, {"parameter", c.value}, {"ruler", "1"}}), back);
        ASSERT_EQ(r.status, io::ReadResult::Status::Ok) << c.what;
        ASSERT_EQ(r.notes.size(), 1u) << c.what;
        EXPECT_NE(r.notes[0].find("could not be read: it was left out"), std::string::npos) << r.notes[0];
        EXPECT_EQ(back.extension.parameters, std::vector<model::TimingParameter>{rcd()}) << c.what;
        EXPECT_TRUE(back.extension.timeRuler) << c.what;
    }
}

TEST(TimingParameter, LimitsAndProblems)
{
    const struct {
        const char* text;
        std::optional<double> value;
    } limits[] = {{"15", 15}, {" 7.5 ", 7.5}, {"-2", -2}, {"+3", 3}, {"1e3", 1000}, {"", std::nullopt},
                  {"x", std::nullopt}, {"1.2.3", std::nullopt}, {"inf", std::nullopt}, {"1e999", std::nullopt}};
    for (const auto& l : limits)
        EXPECT_EQ(model::parseLimit(l.text), l.value) << l.text;
    EXPECT_EQ(model::limitText(22.5), "22.5");
    EXPECT_EQ(model::limitText(0.1), "0.1");
    EXPECT_EQ(model::femtosecondsPerUnit("us"), model::femtosecondsPerUnit("\xC2\xB5s"));
    EXPECT_EQ(model::femtosecondsPerUnit("ns"), 1'000'000);
    EXPECT_EQ(model::femtosecondsPerUnit("V"), std::nullopt);
    model::TimingParameter p = rcd();
    EXPECT_EQ(model::timingParameterProblem(p), "");
    p.min = 30;
    EXPECT_EQ(model::timingParameterProblem(p), "The minimum of t_{RCD} (30) lies above its maximum (22.5).");
    p.min = 22.5;
    EXPECT_EQ(model::timingParameterProblem(p), "") << "a minimum equal to the maximum";
    p.description = "two\nlines";
    EXPECT_NE(model::timingParameterProblem(p), "");
}
