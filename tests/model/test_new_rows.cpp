#include <gtest/gtest.h>

#include "model/RowFactory.h"

using namespace sigmora::model;

namespace {

std::string repeat(const std::string& unit, int times)
{
    std::string s;
    for (int i = 0; i < times; ++i)
        s += unit;
    return s;
}

} // namespace

TEST(NewRowRecords, ClockSignalAndBusAreExactlyTheDefaultRecords)
{
    const std::string tabs = "\t\t\t\t\t";
    EXPECT_EQ(buildRowRecord(NewRowKind::Clock, "Clock", 1),
              "Clock" + tabs + "CLK_0_." + repeat("01", 300) + ".0.1.Arial.10.1.0.0.0.8421504.N/A.0.1.5.0.0.");
    EXPECT_EQ(buildRowRecord(NewRowKind::Signal, "Default Signal", 1),
              "Default Signal" + tabs + "DATA_0_." + std::string(600, '1') + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.");
    EXPECT_EQ(buildRowRecord(NewRowKind::Signal, "Default Signal", 0),
              "Default Signal" + tabs + "DATA_0_." + std::string(600, '0') + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.");
    EXPECT_EQ(buildRowRecord(NewRowKind::Bus, "Default Bus", 1),
              "Default Bus" + tabs + "DATA_0_." + std::string(600, '4') + ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.");
}

struct NamingCase {
    const char* label;
    std::vector<std::string> existingNames;
    NewRowKind kind;
    std::string expected;
};

class RowNaming : public ::testing::TestWithParam<NamingCase> {};

TEST_P(RowNaming, ChoosesTheFirstNameNoRecordBeginsWith)
{
    RecordList rows;
    for (const std::string& name : GetParam().existingNames)
        rows.append(buildRowRecord(NewRowKind::Signal, name, 1));
    EXPECT_EQ(chooseRowName(rows, GetParam().kind), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowNaming,
    ::testing::Values(
        NamingCase{"EmptyClock", {}, NewRowKind::Clock, "Clock"},
        NamingCase{"SecondClock", {"Clock"}, NewRowKind::Clock, "Clock 2"},
        NamingCase{"ThirdClock", {"Clock", "Clock 2"}, NewRowKind::Clock, "Clock 3"},
        NamingCase{"CaseIgnored", {"CLOCK"}, NewRowKind::Clock, "Clock 2"},
        // The plain name is refused while "Default Signal 2" exists (it begins with it), and so is 2.
        NamingCase{"DefaultSignal2Present", {"Default Signal 2"}, NewRowKind::Signal, "Default Signal 3"},
        NamingCase{"PrefixOfLongerName", {"Default Bus 12"}, NewRowKind::Bus, "Default Bus 2"},
        NamingCase{"FirstSignal", {"Clock"}, NewRowKind::Signal, "Default Signal"},
        NamingCase{"FirstBus", {"Default Signal"}, NewRowKind::Bus, "Default Bus"}),
    [](const auto& info) { return std::string(info.param.label); });
