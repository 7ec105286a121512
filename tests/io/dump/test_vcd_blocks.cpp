#include <gtest/gtest.h>

#include <sstream>

#include "io/dump/VcdReader.h"
#include "io/dump/VcdTokenizer.h"
#include "model/RecordFields.h"
#include "model/SignalRecord.h"
#include "support/FixedMeasurer.h"

using namespace sigmora;
namespace fields = model::fields;

namespace {

// What an import made: every row as name=cells and the bus values in order, or the error.
std::vector<std::string> imported(const std::string& text, const io::VcdChoice& choice = {})
{
    std::istringstream in(text);
    model::Diagram diagram;
    test::FixedMeasurer measurer;
    const io::ImportResult result = io::readVcd(in, choice, diagram, measurer);
    if (!result.ok)
        return {"error: " + result.error};
    std::vector<std::string> out;
    for (int row = 0; row < diagram.store.signalCount(); ++row) {
        const std::string record = diagram.store.signals().get(row);
        const std::string_view wave = model::signal::waveform(record);
        out.push_back(fields::decodePeriods(fields::nameOfRow(record)) + "=" +
                      std::string(wave.substr(1, static_cast<std::size_t>(diagram.settings.cellCount - 1))));
    }
    for (const std::string& t : diagram.store.list(model::ListId::Texts).records())
        out.push_back(std::string(*fields::textField(t, 5)) + ":" + std::string(*fields::textField(t, 4)));
    for (const std::string& note : result.notes)
        out.push_back("note: " + note);
    return out;
}

// Codes of one, two and three characters, an alias of the clock and a real, and values of every
// form: scalars, vectors wider and narrower than declared, upper case, weak levels.
const std::string kDeclarations = "$timescale 1 ns $end\n$scope module top $end\n"
                                  "$var wire 1 ! clk $end\n$var wire 1 %q d $end\n$var reg 8 k#z bus $end\n"
                                  "$var wire 1 ! clk_alias $end\n$var real 64 ^^ temp $end\n$var wire 4 \" nib $end\n"
                                  "$upscope $end\n$enddefinitions $end\n";

std::string binary(int value)
{
    std::string bits;
    for (; value > 0; value /= 2)
        bits.insert(bits.begin(), static_cast<char>('0' + value % 2));
    return bits.empty() ? "0" : bits;
}

std::string body(int cycles)
{
    std::ostringstream out;
    out << "#0\n$dumpvars\n0!\nx%q\nb0 k#z\nr0.5 ^^\nbz \"\n$end\n";
    const char* values[] = {"b110101", "B1", "bHL01", "bZ", "bX1", "b1011011101"};
    for (int k = 1; k <= cycles; ++k) {
        out << '#' << k * 5 << '\n' << (k % 2) << "!\n";
        if (k % 3 == 0)
            out << '#' << k * 5 + 1 << '\n' << "01xzHL"[k % 6] << "%q\nb" << binary(k * 37 % 256) << " k#z\n";
        if (k % 4 == 0)
            out << values[(k / 4) % 6] << " \"\nR" << k << ".25 ^^\n";
    }
    return out.str();
}

// The block a dump is read in may end anywhere: inside a blank run, a time, a scalar change, a
// vector's value, between a value and its code, inside a code. Shifting the body across the end
// of the first block one byte at a time (with a comment in the header that takes no line) must
// give the same diagram, and a damaged change after it the same line in its message.
TEST(VcdBlocks, ABlockMayEndAnywhereInAChange)
{
    const std::string changes = body(240);
    const std::vector<std::string> expected = imported(kDeclarations + changes);
    ASSERT_EQ(expected.front().rfind("error", 0), std::string::npos) << expected.front();
    ASSERT_GE(expected.size(), 4u);
    const std::string damaged = changes + "#2000\n1?x\n";
    const std::vector<std::string> damageSays = imported(kDeclarations + damaged);
    ASSERT_EQ(damageSays.size(), 1u);
    EXPECT_NE(damageSays[0].find("the identifier code ?x was never declared"), std::string::npos) << damageSays[0];

    // A stretch of the body holding every kind of word: from the first vector change on.
    const std::size_t stretch = changes.find("b110101");
    ASSERT_NE(stretch, std::string::npos);
    for (std::size_t offset = 0; offset < 40; ++offset) {
        const std::size_t endOfBlock = stretch + offset;
        const std::size_t padding = io::VcdTokenizer::kBlock - endOfBlock - kDeclarations.size() - 15;
        const std::string header = "$comment " + std::string(padding, 'p') + " $end ";
        ASSERT_EQ(header.size() + kDeclarations.size() + endOfBlock, io::VcdTokenizer::kBlock);
        EXPECT_EQ(imported(header + kDeclarations + changes), expected) << "block ends at " << offset;
        EXPECT_EQ(imported(header + kDeclarations + damaged), damageSays) << "block ends at " << offset;
    }
}

// A vector's value is kept to the bits it declares (its left end cut, a short value extended),
// in lower case, weak levels as strong ones; the value shows in hexadecimal on its run.
TEST(VcdBlocks, VectorValuesAreReadAsTheirDeclaredBits)
{
    const std::string text = "$var wire 1 ! clk $end\n$var wire 4 # bus $end\n$enddefinitions $end\n"
                             "#0 0! b0 #\n#5 1!\n#6 b110101 #\n#10 0!\n#11 b1 #\n#15 1!\n#16 bHL01 #\n"
                             "#20 0!\n#21 bZ #\n#25 1!\n#26 bX1 #\n#30 0!\n#35 1!\n";
    EXPECT_EQ(imported(text), (std::vector<std::string>{"clk=101010", "bus[3:0]=434233", "bus[3:0]:0x5", "bus[3:0]:0x1",
                                                        "bus[3:0]:0x9", "bus[3:0]:0xX"}));
}

struct CodeCase {
    const char* name;
    const char* clock;
    const char* data;
};

void PrintTo(const CodeCase& c, std::ostream* os) { *os << c.name; }

class VcdCodeLengths : public testing::TestWithParam<CodeCase> {};

// Identifier codes of any length name their variables alike.
TEST_P(VcdCodeLengths, NameTheSameVariables)
{
    const std::string clock = GetParam().clock, data = GetParam().data;
    const std::string text = "$var wire 1 " + clock + " clk $end\n$var wire 1 " + data + " d $end\n" +
                             "$enddefinitions $end\n#0 0" + clock + " 1" + data + "\n#5 1" + clock + "\n#7 0" + data +
                             "\n#10 0" + clock + "\n#12 z" + data + "\n#15 1" + clock + "\n#20 0" + clock + "\n";
    EXPECT_EQ(imported(text), (std::vector<std::string>{"clk=101", "d=022"}));
}

INSTANTIATE_TEST_SUITE_P(Codes, VcdCodeLengths,
                         testing::Values(CodeCase{"OneCharacter", "!", "~"}, CodeCase{"TwoCharacters", "!!", "~!"},
                                         CodeCase{"ThreeCharacters", "abc", "abd"},
                                         CodeCase{"Mixed", "!", "#$%^"},
                                         CodeCase{"HighBytes", "\xc3\xa9", "\xff"}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
