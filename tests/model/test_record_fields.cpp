#include <gtest/gtest.h>

#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"
#include "model/TextBoxRecord.h"

using namespace sigmora::model;
namespace f = sigmora::model::fields;

TEST(RecordFields, IntegerFieldsCountSeparatorsFromTheStart)
{
    const std::string rec = "12.-7.abc.  42.";
    EXPECT_EQ(f::intField(rec, 0), 12);
    EXPECT_EQ(f::intField(rec, 1), -7);
    EXPECT_EQ(f::intField(rec, 2), 0);  // atoi of text
    EXPECT_EQ(f::intField(rec, 3), 42); // leading blanks skipped
    EXPECT_EQ(f::intField(rec, 4), 0);  // empty text after the last separator
    EXPECT_EQ(f::intField(rec, 5), -1); // fewer separators than asked for
}

TEST(RecordFields, SettingAFieldKeepsEveryOtherField)
{
    const std::string rec = "1.22.333.";
    EXPECT_EQ(f::withIntField(rec, 1, 9), "1.9.333.");
    EXPECT_EQ(f::withIntField(rec, 0, -5), "-5.22.333.");
    EXPECT_EQ(f::withTextField(rec, 2, "x"), "1.22.x.");
    EXPECT_EQ(f::withTextField(rec, 3, "tail"), "1.22.333.tail");
    EXPECT_EQ(f::withIntField(rec, 4, 1), rec); // past the separators: unchanged
}

TEST(RecordFields, SeventeenFieldSignalRecordAnswersMinusOneForField20AndIgnoresItsSet)
{
    const std::string rec = buildRowRecord(NewRowKind::Signal, "Default Signal", 1);
    const std::string data(f::dataOfRow(rec));
    EXPECT_EQ(f::countSeparators(data), 17);
    EXPECT_EQ(f::intField(data, 20), -1);
    EXPECT_EQ(f::withIntField(data, 20, 5), data);
}

TEST(RecordFields, NameAndDataOfARowSplitAtTheFiveTabs)
{
    const std::string rec = "my_sig~QorWFPeriod~0\t\t\t\t\tDATA_0_.0101.";
    EXPECT_EQ(f::nameOfRow(rec), "my_sig~QorWFPeriod~0");
    EXPECT_EQ(f::dataOfRow(rec), "DATA_0_.0101.");
    EXPECT_EQ(f::nameOfRow("no tabs"), "no tabs");
    EXPECT_EQ(f::dataOfRow("no tabs"), "");
    EXPECT_EQ(f::dataOfRow("short\t\t"), ""); // fewer than five tabs: no data part
}

TEST(RecordFields, PeriodsAreStoredAsTheMarkerAndDecodedBack)
{
    EXPECT_EQ(f::encodePeriods("a.b..c"), "a~QorWFPeriod~b~QorWFPeriod~~QorWFPeriod~c");
    EXPECT_EQ(f::decodePeriods("a~QorWFPeriod~b~QorWFPeriod~~QorWFPeriod~c"), "a.b..c");
    EXPECT_EQ(f::decodePeriods("~QorWFPeriod"), "~QorWFPeriod"); // an incomplete marker stays
}

TEST(RecordFields, CConversionsBehaveLikeTheCLibrary)
{
    EXPECT_EQ(f::cAtoi("  -12x"), -12);
    EXPECT_EQ(f::cAtoi("+7"), 7);
    EXPECT_EQ(f::cAtoi(""), 0);
    EXPECT_EQ(f::cAtoi("99999999999"), 2147483647);
    EXPECT_EQ(f::cAtoi("-99999999999"), -2147483647 - 1);
    EXPECT_EQ(f::cAtoul("     0"), 0u);
    EXPECT_EQ(f::cAtoul("8421504"), 8421504u);
    EXPECT_EQ(f::cAtoul("16777215"), 16777215u);
}

TEST(SignalRecord, NameWithPeriodAndUnderscoreReadsBackWithAllFields)
{
    const std::string name = f::encodePeriods("addr_bus.7");
    const std::string rec = buildRowRecord(NewRowKind::Clock, name, 1);
    EXPECT_EQ(f::nameOfRow(rec), "addr_bus~QorWFPeriod~7");
    EXPECT_EQ(f::decodePeriods(f::nameOfRow(rec)), "addr_bus.7");
    EXPECT_EQ(signal::waveform(rec).size(), 600u);
    EXPECT_EQ(signal::ideal(rec), 1);
    EXPECT_EQ(signal::fontFace(rec), "Arial");
    EXPECT_EQ(signal::fontSize(rec), 10);
    EXPECT_EQ(signal::risingArrows(rec), 1);
    EXPECT_EQ(signal::hatchColour(rec), 8421504u);
    EXPECT_EQ(signal::freeText(rec), "N/A");
    EXPECT_EQ(signal::clockDivisor(rec), 1);
    EXPECT_EQ(signal::dutyCode(rec), 5);
    EXPECT_EQ(signal::activeLow(rec), 0);
}

TEST(SignalRecord, ShortRecordReadsTheNamedDefaults)
{
    // 11 fields (0-10): no derivation text, divisor or duty code.
    const std::string rec = "S\t\t\t\t\tDATA_0_.0011.3.0.Arial.12.0.1.255.0.65280.";
    EXPECT_EQ(signal::clockDivisor(rec), 1);
    EXPECT_EQ(signal::dutyCode(rec), 5);
    EXPECT_EQ(signal::freeText(rec), "N/A");
    EXPECT_EQ(signal::locked(rec), 0);
    EXPECT_EQ(signal::differential(rec), 0);
    EXPECT_EQ(signal::delay(rec), 3);
    EXPECT_EQ(signal::fontSize(rec), 12);
    EXPECT_EQ(signal::fallingArrows(rec), 1);
    EXPECT_EQ(signal::waveColour(rec), 255u);
    EXPECT_EQ(signal::hatchColour(rec), 65280u);

    const std::string tiny = "T\t\t\t\t\tDATA_0_.01.";
    EXPECT_EQ(signal::fontFace(tiny), "Arial");
    EXPECT_EQ(signal::fontSize(tiny), 10);
    EXPECT_EQ(signal::hatchColour(tiny), 8421504u);
    EXPECT_EQ(signal::ideal(tiny), 0);
}

TEST(SignalRecord, RewritingADataFieldKeepsTheNameAndTheOtherFields)
{
    const std::string rec = buildRowRecord(NewRowKind::Signal, "Name.With", 1);
    const std::string changed = signal::withDataField(rec, signalfield::Locked, 1);
    EXPECT_EQ(signal::locked(changed), 1);
    EXPECT_EQ(f::nameOfRow(changed), "Name.With");
    EXPECT_EQ(signal::waveform(changed), signal::waveform(rec));
    EXPECT_EQ(changed.size(), rec.size());
}

TEST(SignalRecord, RowKindIsThreeForSeparatorsOnly)
{
    EXPECT_EQ(rowKind("separator\t\t\t\t\tSEP_0.0.1.Arial.2.1.0.0.0.1."), 3);
    EXPECT_EQ(rowKind(buildRowRecord(NewRowKind::Clock, "Clock", 1)), 0);
    EXPECT_EQ(rowKind(buildRowRecord(NewRowKind::Bus, "Bus", 1)), 0);
    EXPECT_TRUE(isClockData(f::dataOfRow(buildRowRecord(NewRowKind::Clock, "Clock", 1))));
    EXPECT_FALSE(isClockData(f::dataOfRow(buildRowRecord(NewRowKind::Signal, "CLK", 1))));
}

TEST(SignalRecord, ParsedRowMatchesTheTypedReaders)
{
    const std::string rec = "A\t\t\t\t\tDATA_0_.0123.4.1.Courier.14.1.1.255.65280.8421504.N/A.0.0.0.1.1.";
    const SignalRow row = parseSignalRow(rec);
    EXPECT_EQ(row.name, "A");
    EXPECT_FALSE(row.separator);
    EXPECT_FALSE(row.clock);
    EXPECT_EQ(row.waveform, "0123");
    EXPECT_EQ(row.delay, 4);
    EXPECT_TRUE(row.ideal);
    EXPECT_EQ(row.fontFace, "Courier");
    EXPECT_EQ(row.fontSize, 14);
    EXPECT_TRUE(row.risingArrows);
    EXPECT_TRUE(row.fallingArrows);
    EXPECT_EQ(row.waveColour, 255u);
    EXPECT_EQ(row.nameColour, 65280u);
    EXPECT_TRUE(row.differential);
    EXPECT_TRUE(row.activeLow);

    const SignalRow sep = parseSignalRow("separator\t\t\t\t\tSEP_0.0.1.Arial.3.1.0.255.0.1.");
    EXPECT_TRUE(sep.separator);
    EXPECT_EQ(sep.separatorKind, 3);
    EXPECT_EQ(sep.separatorLineColour, 255u);
}

TEST(TextBoxRecord, MessageWithPeriodIsStoredAsMarkerAndShownAsPeriod)
{
    const std::string rec = "110.40.150.56." + f::encodePeriods("v1.2") + ".SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.";
    ReaderReport report;
    EXPECT_EQ(textbox::message(rec, report), "v1~QorWFPeriod~2");
    EXPECT_EQ(f::decodePeriods(textbox::message(rec, report)), "v1.2");
    EXPECT_EQ(textbox::left(rec, report), 110);
    EXPECT_EQ(textbox::top(rec, report), 40);
    EXPECT_EQ(textbox::right(rec, report), 150);
    EXPECT_EQ(textbox::bottom(rec, report), 56);
    EXPECT_EQ(textbox::colour(rec), 0u);
    EXPECT_TRUE(report.empty());
}

TEST(TextBoxRecord, MissingSeparatorsAreReportedAndDefaultsApply)
{
    struct Case {
        std::string record;
        std::string expectedMessage;
        int (*read)(std::string_view, ReaderReport&);
    };
    const std::vector<Case> cases = {
        {"17", "17", textbox::left},
        {"17.", "can't find", textbox::top},
        {"17.4.", "can't find text width", textbox::right},
        {"17.4.9.", "can't find text height", textbox::bottom},
    };
    for (const Case& c : cases) {
        ReaderReport report;
        c.read(c.record, report);
        ASSERT_EQ(report.messages().size(), 1u) << c.record;
        EXPECT_EQ(report.messages()[0], c.expectedMessage);
    }
    ReaderReport report;
    textbox::message("1.2.3.4.", report);
    ASSERT_EQ(report.messages().size(), 1u);
    EXPECT_EQ(report.messages()[0], "can't find text message");
    EXPECT_EQ(textbox::fontFace("1.2.3.4.m.x.0."), "Arial");
    EXPECT_EQ(textbox::fontSize("1.2.3.4.m.x.0.Arial."), 8);
}

TEST(TextBoxRecord, ColourIsWrittenPaddedToSixCharacters)
{
    EXPECT_EQ(textbox::formatColour(0), "     0");
    EXPECT_EQ(textbox::formatColour(255), "   255");
    EXPECT_EQ(textbox::formatColour(16777215), "16777215");
    EXPECT_EQ(textbox::colour("0.0.0.0.m.x.   255."), 255u);
}
