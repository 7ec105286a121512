#include <gtest/gtest.h>

#include "io/dump/DumpTime.h"
#include "io/dump/HalfPeriod.h"

// Times typed for a dump's window, with units or in the dump's own unit, and shown with units.

using namespace sigmora;

namespace {

struct TypedCase {
    const char* text;
    const char* timescale;
    std::optional<long long> time;
    const char* problem; // a part of the reason, when there is no time
};

TEST(DumpTime, TypedTimes)
{
    const TypedCase cases[] = {
        {"460", "1ns", 460, ""},
        {" 460 ", "", 460, ""},
        {"460ns", "1ns", 460, ""},
        {"460 ns", "1ps", 460000, ""},
        {"2.5us", "1ns", 2500, ""},
        {"2.5us", "10ns", 250, ""},
        {"0.5 ms", "100ps", 5000000, ""},
        {"1s", "1fs", 1000000000000000LL, ""},
        {"25ps", "10ps", std::nullopt, "not a whole number of the dump's unit (10ps)"},
        {"2.5", "1ns", std::nullopt, "whole number of the dump's unit"},
        {"2us", "", std::nullopt, "gives no time unit"},
        {"2us", "7 ns", std::nullopt, "$timescale \"7 ns\" is no time unit (1, 10 or 100 of s, ms, us, ns, ps or fs)"},
        {"2 minutes", "1ns", std::nullopt, "\"minutes\" is not a unit"},
        {"ns", "1ns", std::nullopt, "is not a time"},
        {"", "1ns", std::nullopt, "no time given"},
        {"1234567890123456789", "1ns", std::nullopt, "is not a time"},
        {"1000s", "1fs", std::nullopt, "past the end"},
    };
    for (const TypedCase& c : cases) {
        const io::DumpTimeText got = io::dumpTimeFromText(c.text, c.timescale);
        EXPECT_EQ(got.time, c.time) << c.text << " in " << c.timescale;
        if (!c.time) {
            EXPECT_NE(got.problem.find(c.problem), std::string::npos) << c.text << ": " << got.problem;
        }
    }
}

TEST(DumpTime, ShownWithTheLargestUnitThatKeepsItWhole)
{
    const struct {
        long long time;
        const char* timescale;
        const char* shown;
    } cases[] = {{460, "1ns", "460ns"},   {2500, "1ns", "2.5us"},   {460000, "1ps", "460ns"},
                 {125, "10ps", "1.25ns"}, {0, "1ns", "0ns"},        {7, "100fs", "700fs"},
                 {3, "1s", "3s"},         {1001, "1us", "1.001ms"}, {5, "", ""}};
    for (const auto& c : cases) {
        const std::string shown = io::dumpTimeWithUnit(c.time, c.timescale);
        EXPECT_EQ(shown, c.shown) << c.time << " in " << c.timescale;
        if (!shown.empty()) {
            EXPECT_EQ(io::dumpTimeFromText(shown, c.timescale).time, c.time) << shown << " reads back";
        }
    }
}

} // namespace

// The output delay of the stimulus exports, as the dialog reads it: empty is the drawn slant.
TEST(OutputDelay, IsAtLeastOnePicosecondAndShorterThanTheHalfPeriod)
{
    const struct {
        const char* text;
        long long halfPeriodFs;
        std::optional<long long> ps;
        const char* error; // part of it; nullptr: none
    } cases[] = {
        {"", 5'000'000, std::nullopt, nullptr},
        {"  ", 5'000'000, std::nullopt, nullptr},
        {"1ns", 5'000'000, 1000, nullptr},
        {"2.5 ns", 5'000'000, 2500, nullptr},
        {"1ps", 5'000'000, 1, nullptr},
        {"999fs", 5'000'000, std::nullopt, "at least 1ps"},
        {"1001fs", 5'000'000, std::nullopt, "whole number of picoseconds, not 1001fs"},
        {"5ns", 5'000'000, std::nullopt, "shorter than the half-period (5ns)"},
        {"soon", 5'000'000, std::nullopt, "output delay"},
    };
    for (const auto& c : cases) {
        const io::OutputDelayText d = io::parseOutputDelay(c.text, c.halfPeriodFs);
        EXPECT_EQ(d.picoseconds, c.ps) << c.text;
        if (c.error)
            EXPECT_NE(d.error.find(c.error), std::string::npos) << c.text << ": " << d.error;
        else
            EXPECT_EQ(d.error, "") << c.text;
    }
}
