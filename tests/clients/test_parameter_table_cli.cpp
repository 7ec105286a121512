// "sigmora --convert IN OUT --parameters" as a datasheet's build runs it: the example's table of
// timing parameters alone in each text format, and what is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "CommandLineScratch.h"

namespace fs = std::filesystem;
using sigmora::test::slurp;

namespace {

struct ParametersCli : sigmora::test::CommandLineScratch {
    ParametersCli() : CommandLineScratch("sigmora-parameters-") {}
    const fs::path ddr = fs::path(SIGMORA_SOURCE_DIR) / "examples" / "ddr-read.sgm";
};

} // namespace

TEST_F(ParametersCli, WritesTheTableAloneInEachFormat)
{
    const struct {
        const char* out;
        std::string text;
    } cases[] = {
        {"t.csv", "Symbol,Description,Min,Typ,Max,Unit\n"
                  "t_{CK},Clock cycle time,5,,8,ns\n"
                  "t_{RCD},ACTIVATE to READ delay,15,,,ns\n"
                  "CL,CAS latency (3 clocks),,15,,ns\n"
                  "t_{AC},DQ output access time from CLK,-0.7,,0.7,ns\n"},
        {"t.md", "| Symbol | Description | Min | Typ | Max | Unit |\n"
                 "|---|---|---:|---:|---:|---|\n"
                 "| t<sub>CK</sub> | Clock cycle time | 5 |  | 8 | ns |\n"
                 "| t<sub>RCD</sub> | ACTIVATE to READ delay | 15 |  |  | ns |\n"
                 "| CL | CAS latency (3 clocks) |  | 15 |  | ns |\n"
                 "| t<sub>AC</sub> | DQ output access time from CLK | -0.7 |  | 0.7 | ns |\n"},
        {"T.HTML", "<table>\n"
                   "  <tr><th>Symbol</th><th>Description</th><th>Min</th><th>Typ</th><th>Max</th><th>Unit</th></tr>\n"
                   "  <tr><td>t<sub>CK</sub></td><td>Clock cycle time</td><td>5</td><td></td><td>8</td><td>ns</td></tr>\n"
                   "  <tr><td>t<sub>RCD</sub></td><td>ACTIVATE to READ delay</td><td>15</td><td></td><td></td><td>ns</td></tr>\n"
                   "  <tr><td>CL</td><td>CAS latency (3 clocks)</td><td></td><td>15</td><td></td><td>ns</td></tr>\n"
                   "  <tr><td>t<sub>AC</sub></td><td>DQ output access time from CLK</td><td>-0.7</td><td></td><td>0.7</td><td>ns</td></tr>\n"
                   "</table>\n"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(convert(ddr, dir / c.out, "--parameters", err), 0) << c.out << ": " << err;
        EXPECT_EQ(err, "") << c.out;
        EXPECT_EQ(slurp(dir / c.out), c.text) << c.out;
    }
}

TEST_F(ParametersCli, WhatCannotBeWrittenIsRefusedAndNothingWritten)
{
    const fs::path plain = fs::path(SIGMORA_SOURCE_DIR) / "examples" / "spi.sgm";
    const struct {
        fs::path in;
        const char* out;
        int status;
        const char* error; // a part of the one line on standard error
    } cases[] = {
        {ddr, "t.svg", 1, "--parameters writes .csv, .md and .html outputs"},
        {plain, "t.csv", 1, "has no timing parameters"},
        {ddr.string() + ".missing", "t.csv", 1, "cannot open"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(convert(c.in, dir / c.out, "--parameters", err), c.status) << c.out;
        EXPECT_NE(err.find(c.error), std::string::npos) << c.out << ": " << err;
        EXPECT_FALSE(fs::exists(dir / c.out)) << c.out;
    }
}
