#include <gtest/gtest.h>

#include "model/Diagram.h"
#include "model/LabelNumberGenerator.h"
#include "model/NameColumnFitter.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "support/FixedMeasurer.h"

using namespace sigmora::model;

TEST(DiagramSettings, StartValues)
{
    const DiagramSettings s;
    EXPECT_EQ(s.cellWidth, 30);
    EXPECT_EQ(s.cellCount, 20);
    EXPECT_EQ(s.waveformWidth, 600);
    EXPECT_EQ(s.signalHeight, 16);
    EXPECT_EQ(s.signalSpacing, 12);
    EXPECT_EQ(s.topMargin, 20);
    EXPECT_EQ(s.nameColumnWidth, 100);
    EXPECT_EQ(s.nameMargin, 5);
    EXPECT_EQ(s.nameColumnChars, 15);
    EXPECT_EQ(s.slantWidth, 10);
    EXPECT_EQ(s.dropShadow, 2);
    EXPECT_EQ(s.logoShown, 1);
    EXPECT_EQ(s.boundingRectShown, 1);
    EXPECT_EQ(s.periodLineMode, 0);
    EXPECT_EQ(s.eachClockOwnPeriod, 1);
    EXPECT_EQ(s.periodLineColour, 12632256u);
    EXPECT_EQ(s.cycleLabelsVisible, 1);
    EXPECT_EQ(s.newSignalLevel, 1);
    EXPECT_EQ(s.textSize, 8);
    EXPECT_EQ(s.textFace, "Arial");
    EXPECT_FLOAT_EQ(s.svgScale, 1.0f);
}

TEST(DiagramSettings, NewPutsBackItsValuesAndKeepsTheOthers)
{
    Diagram d;
    DiagramSettings& s = d.settings;
    s.cellWidth = 50;
    s.cellCount = 40;
    s.waveformWidth = 900;
    s.signalHeight = 30;
    s.topMargin = 60;
    s.nameColumnWidth = 180;
    s.nameColumnChars = 30;
    s.nameJustification = 1;
    s.periodDivider = 4;
    s.periodLinesPerLabel = 3;
    s.skipOffset = 0;
    s.textColour = 255;
    s.textFace = "Courier";
    s.textSize = 14;
    s.firstVisibleCell = 10;
    s.verticalScroll = 4;
    // Carried over to the next diagram:
    s.signalSpacing = 20;
    s.dropShadow = 0;
    s.periodLineMode = 6;
    s.labelPrefix = "T";
    s.moduloCount = 4;
    d.labelNumbers[0] = 77;
    d.modified = true;
    d.store.signals().append(buildRowRecord(NewRowKind::Clock, "Clock", 1));

    d.resetForNew();

    const DiagramSettings start;
    EXPECT_EQ(s.cellWidth, start.cellWidth);
    EXPECT_EQ(s.cellCount, start.cellCount);
    EXPECT_EQ(s.waveformWidth, start.waveformWidth);
    EXPECT_EQ(s.signalHeight, start.signalHeight);
    EXPECT_EQ(s.topMargin, start.topMargin);
    EXPECT_EQ(s.nameColumnWidth, 100);
    EXPECT_EQ(s.nameColumnChars, 15);
    EXPECT_EQ(s.nameJustification, 0);
    EXPECT_EQ(s.periodDivider, 1);
    EXPECT_EQ(s.periodLinesPerLabel, 1);
    EXPECT_EQ(s.skipOffset, 1);
    EXPECT_EQ(s.textColour, 0u);
    EXPECT_EQ(s.textFace, "Arial");
    EXPECT_EQ(s.textSize, 8);
    EXPECT_EQ(s.firstVisibleCell, 0);
    EXPECT_EQ(s.verticalScroll, 0);
    EXPECT_EQ(s.signalSpacing, 20);
    EXPECT_EQ(s.dropShadow, 0);
    EXPECT_EQ(s.periodLineMode, 6);
    EXPECT_EQ(s.labelPrefix, "T");
    EXPECT_EQ(s.moduloCount, 4);
    EXPECT_EQ(d.labelNumbers[0], 1);
    EXPECT_EQ(d.labelNumbers[599], 600);
    EXPECT_FALSE(d.modified);
    EXPECT_EQ(d.store.signalCount(), 0);
}

TEST(LabelNumbers, GeneratorFollowsStartIncrementAndModuloRule)
{
    auto first = [](const LabelNumbers& n, size_t count) { return std::vector<int>(n.begin(), n.begin() + count); };
    EXPECT_EQ(first(generateLabelNumbers({0, 1, 4, 0, 0}), 10), (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1}));
    EXPECT_EQ(first(generateLabelNumbers({1, 2, 0, 0, 0}), 5), (std::vector<int>{1, 3, 5, 7, 9}));
    // A positive modulo offset jumps from the current value instead of back to the start.
    EXPECT_EQ(first(generateLabelNumbers({1, 1, 3, 10, 0}), 8), (std::vector<int>{1, 2, 3, 13, 14, 15, 25, 26}));
    // Repeat count 1: the rule applies once, then counting goes on.
    EXPECT_EQ(first(generateLabelNumbers({0, 1, 2, 0, 1}), 8), (std::vector<int>{0, 1, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(generateLabelNumbers({1, 1, 0, 0, 0}), defaultLabelNumbers());
    EXPECT_EQ(defaultLabelNumbers()[599], 600);
}

TEST(NameColumn, FitsTheWidestLineAndNeverGoesBelow100)
{
    sigmora::test::FixedMeasurer measurer(7);
    Diagram d;
    fitNameColumn(d, measurer);
    EXPECT_EQ(d.settings.nameColumnWidth, 100);
    EXPECT_EQ(d.settings.nameColumnChars, 0);

    d.store.signals().append(buildRowRecord(NewRowKind::Signal, "Default Signal", 1)); // 14 chars: 98 + 5
    fitNameColumn(d, measurer);
    EXPECT_EQ(d.settings.nameColumnWidth, 103);
    EXPECT_EQ(d.settings.nameColumnChars, 14);

    // Lines of a multi-line name are measured one by one; periods count as one character.
    d.store.signals().append(buildRowRecord(NewRowKind::Signal, "short\\n" + fields::encodePeriods("a.much.longer.line.here"), 1));
    fitNameColumn(d, measurer);
    EXPECT_EQ(d.settings.nameColumnWidth, 23 * 7 + 5);
    EXPECT_EQ(d.settings.nameColumnChars, 23);
}

TEST(NameColumn, TextBoxesMoveWithTheColumn)
{
    sigmora::test::FixedMeasurer measurer(10);
    Diagram d;
    d.store.list(ListId::Texts).append("200.30.240.46.hi.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
    d.store.signals().append(buildRowRecord(NewRowKind::Signal, std::string(20, 'x'), 1)); // 200 + 5
    fitNameColumn(d, measurer);
    EXPECT_EQ(d.settings.nameColumnWidth, 205);
    EXPECT_EQ(d.store.list(ListId::Texts).get(0), "305.30.345.46.hi.SigmoraNone.     0.Arial.8.0.0.0.0.0.0.0.");
}
