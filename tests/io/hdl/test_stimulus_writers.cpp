#include <gtest/gtest.h>

#include <set>

#include "io/dump/VcdWriter.h"
#include "io/hdl/VerilogStimulus.h"
#include "io/hdl/VhdlStimulus.h"

using namespace sigmora;

namespace {

// Two rows as the timed model gives them: a clock and a 3-bit bus with z, a number and x, one
// change falling between two half-periods.
io::TimedRows twoRows()
{
    io::TimedRows rows;
    rows.ok = true;
    rows.baseName = "chip";
    rows.endTime = 20000;
    rows.rows.push_back({"clk", "clk", 1, {{0, "0"}, {5000, "1"}, {10000, "0"}, {15000, "1"}}});
    rows.rows.push_back({"data bus", "data_bus", 3, {{0, "zzz"}, {6667, "101"}, {15000, "xxx"}}});
    return rows;
}

TEST(StimulusWriters, ValueChangeDumpListsChangesInTimeOrder)
{
    EXPECT_EQ(io::vcdText(twoRows()), "$version Sigmora $end\n"
                                      "$timescale 1ps $end\n"
                                      "$scope module chip $end\n"
                                      "$var wire 1 ! clk $end\n"
                                      "$var wire 3 \" data_bus [2:0] $end\n"
                                      "$upscope $end\n$enddefinitions $end\n"
                                      "#0\n$dumpvars\n0!\nbzzz \"\n$end\n"
                                      "#5000\n1!\n#6667\nb101 \"\n#10000\n0!\n#15000\n1!\nbxxx \"\n#20000\n");
}

TEST(StimulusWriters, VerilogDrivesEveryChangeAfterItsDelay)
{
    EXPECT_EQ(io::verilogStimulus(twoRows()), "// Stimulus drawn in Sigmora: every row of the diagram chip as an output.\n"
                                              "`timescale 1ns/1ps\n\n"
                                              "module chip_stimulus (\n"
                                              "    output reg clk,\n"
                                              "    output reg [2:0] data_bus\n"
                                              ");\n\n"
                                              "    initial begin\n"
                                              "        clk = 1'b0;\n"
                                              "        data_bus = 3'bz;\n"
                                              "        #5;\n"
                                              "        clk = 1'b1;\n"
                                              "        #1.667;\n"
                                              "        data_bus = 3'b101;\n"
                                              "        #3.333;\n"
                                              "        clk = 1'b0;\n"
                                              "        #5;\n"
                                              "        clk = 1'b1;\n"
                                              "        data_bus = 3'bx;\n"
                                              "        #5;\n"
                                              "    end\n"
                                              "endmodule\n");
}

TEST(StimulusWriters, VhdlWaitsForEveryChange)
{
    EXPECT_EQ(io::vhdlStimulus(twoRows()), "-- Stimulus drawn in Sigmora: every row of the diagram chip as an output.\n"
                                           "library ieee;\nuse ieee.std_logic_1164.all;\n\n"
                                           "entity chip_stimulus is\n"
                                           "    port (\n"
                                           "        clk      : out std_logic;\n"
                                           "        data_bus : out std_logic_vector(2 downto 0)\n"
                                           "    );\n"
                                           "end entity chip_stimulus;\n\n"
                                           "architecture drawn of chip_stimulus is\n"
                                           "begin\n"
                                           "    process\n"
                                           "    begin\n"
                                           "        clk <= '0';\n"
                                           "        data_bus <= \"ZZZ\";\n"
                                           "        wait for 5000 ps;\n"
                                           "        clk <= '1';\n"
                                           "        wait for 1667 ps;\n"
                                           "        data_bus <= \"101\";\n"
                                           "        wait for 3333 ps;\n"
                                           "        clk <= '0';\n"
                                           "        wait for 5000 ps;\n"
                                           "        clk <= '1';\n"
                                           "        data_bus <= \"XXX\";\n"
                                           "        wait for 5000 ps;\n"
                                           "        wait;\n"
                                           "    end process;\n"
                                           "end architecture drawn;\n");
}

TEST(StimulusWriters, DelaysInNanosecondsKeepEveryPicosecond)
{
    const struct {
        long long ps;
        const char* text;
    } cases[] = {{0, "0"}, {1, "0.001"}, {10, "0.01"}, {5000, "5"}, {5250, "5.25"}, {1666667, "1666.667"},
                 {1'000'000'000'000'000, "1000000000000"}};
    for (const auto& c : cases)
        EXPECT_EQ(io::nanosecondText(c.ps), c.text) << c.ps;
}

// A row count past the one-character identifier codes takes two characters each, all distinct.
TEST(StimulusWriters, EveryVariableHasItsOwnCode)
{
    io::TimedRows rows;
    rows.baseName = "many";
    rows.endTime = 1;
    for (int i = 0; i < 256; ++i)
        rows.rows.push_back({"r", "r" + std::to_string(i), 1, {{0, "0"}}});
    const std::string vcd = io::vcdText(rows);
    std::set<std::string> codes;
    std::size_t at = 0;
    while ((at = vcd.find("$var wire 1 ", at)) != std::string::npos) {
        at += 12;
        codes.insert(vcd.substr(at, vcd.find(' ', at) - at));
    }
    EXPECT_EQ(codes.size(), 256u);
    EXPECT_TRUE(codes.count("!"));
    EXPECT_TRUE(codes.count("~"));
    EXPECT_TRUE(codes.count("!!"));
}

} // namespace
