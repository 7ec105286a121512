#include <gtest/gtest.h>

#include "model/ObjectStore.h"
#include "model/RecordFields.h"
#include "model/RowFactory.h"
#include "model/SignalRecord.h"

using namespace sigmora::model;

TEST(RecordList, KeepsOrderAndAnswersOutOfRangeQuietly)
{
    RecordList list;
    EXPECT_EQ(list.append("b"), 0);
    EXPECT_EQ(list.append("c"), 1);
    list.insert(0, "a");
    list.insert(99, "d");
    EXPECT_EQ(list.records(), (std::vector<std::string>{"a", "b", "c", "d"}));
    list.remove(1);
    list.remove(7);
    EXPECT_EQ(list.records(), (std::vector<std::string>{"a", "c", "d"}));
    EXPECT_EQ(list.get(-1), "");
    EXPECT_EQ(list.get(3), "");
    list.setSelection(2);
    list.clear();
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.selection(), -1);
}

TEST(RecordList, PrefixSearchIgnoresCaseAndStartsAfterTheGivenIndex)
{
    RecordList list;
    for (const char* r : {"Clock\tx", "clock 2\ty", "Data\tz", "CLOCK 3\tw"})
        list.append(r);
    EXPECT_EQ(list.findPrefix("clock"), 0);
    EXPECT_EQ(list.findPrefix("clock", 0), 1);
    EXPECT_EQ(list.findPrefix("clock", 1), 3);
    EXPECT_EQ(list.findPrefix("clock", 3), -1);
    EXPECT_EQ(list.findPrefix("bus"), -1);
    EXPECT_EQ(list.findExact("data\tZ"), 2);
    EXPECT_EQ(list.findExact("data"), -1);
}

TEST(RecordList, ReplaceRewritesInPlaceAndReselects)
{
    RecordList list;
    list.append("a");
    list.append("b");
    list.append("c");
    list.replace(1, "B");
    EXPECT_EQ(list.records(), (std::vector<std::string>{"a", "B", "c"}));
    EXPECT_EQ(list.selection(), 1);
}

TEST(ObjectStore, SignalIndexOfNameTrimsAndIgnoresCase)
{
    ObjectStore store;
    store.signals().append(buildRowRecord(NewRowKind::Clock, "Clock", 1));
    store.signals().append(buildRowRecord(NewRowKind::Signal, "  Data In ", 1));
    store.signals().append(buildRowRecord(NewRowKind::Signal, "data in", 1));
    EXPECT_EQ(store.signalIndexOfName("clock"), 0);
    EXPECT_EQ(store.signalIndexOfName(" DATA IN"), 1);
    // No match answers 1, the row annotation placement falls back to.
    EXPECT_EQ(store.signalIndexOfName("missing"), ObjectStore::kNoMatchSignalIndex);
    EXPECT_EQ(ObjectStore::kNoMatchSignalIndex, 1);
}

TEST(ObjectStore, AttachedSignalReadsFieldOneAndReportsAMissingSeparator)
{
    ObjectStore store;
    store.signals().append(buildRowRecord(NewRowKind::Clock, "Clock", 1));
    store.signals().append(buildRowRecord(NewRowKind::Signal, "Data", 1));
    ReaderReport report;
    EXPECT_EQ(store.attachedSignal("4.Data.", report), 1);
    EXPECT_EQ(store.attachedSignal("4.clock.", report), 0);
    EXPECT_TRUE(report.empty());
    store.attachedSignal("4", report);
    ASSERT_EQ(report.messages().size(), 1u);
    EXPECT_EQ(report.messages()[0], "GetAttachedSignal: ERROR - Missing period position.");
}

TEST(ObjectStore, RowKindAndClearForNewKeepTheDelayList)
{
    ObjectStore store;
    store.signals().append("separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    store.signals().append(buildRowRecord(NewRowKind::Bus, "Bus", 1));
    EXPECT_EQ(store.rowKind(0), 3);
    EXPECT_EQ(store.rowKind(1), 0);
    EXPECT_EQ(store.rowKind(5), 0);

    store.list(ListId::Delays).append("kept");
    for (ListId id : {ListId::Texts, ListId::Arrows, ListId::LegacyRegions, ListId::CopyBuffer, ListId::Labels,
                      ListId::TimeBreaks})
        store.list(id).append("x");
    store.floodStyles().set(3, 4, 2);
    store.edgeOffsets().set(255, 599, -3);
    store.clearForNew();
    for (ListId id : kAllLists)
        EXPECT_EQ(store.list(id).count(), id == ListId::Delays ? 1 : 0) << static_cast<int>(id);
    EXPECT_EQ(store.floodStyles().get(3, 4), 0);
    EXPECT_EQ(store.edgeOffsets().get(255, 599), 0);
}

// The kind tag opening the data part tells a clock or a separator; the same letters anywhere else
// in the record (a derivation expression, a font face, the name) do not.
TEST(ObjectStore, RowKindComesFromTheKindTagAlone)
{
    const struct {
        const char* record;
        bool clock, separator;
    } cases[] = {
        {"Clock\t\t\t\t\tCLK_0_.0101.0.1.Arial.10.1.0.0.0.8421504.N/A.0.1.5.0.0.", true, false},
        {"separator\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.", false, true},
        {"en\t\t\t\t\tDATA_0_.0101.0.0.Arial.10.0.0.0.0.8421504.CLK AND en.0.0.0.0.0.", false, false},
        {"x\t\t\t\t\tDATA_0_.0101.0.0.SEPIA.10.0.0.0.0.8421504.N/A.0.0.0.0.0.", false, false},
        {"CLK SEP\t\t\t\t\tDATA_0_.0101.0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0.", false, false},
        {"old\t\t\t\t\tCLK_15_.0101.0.1.Arial.10.", true, false},
    };
    for (const auto& c : cases) {
        const std::string_view data = fields::dataOfRow(c.record);
        EXPECT_EQ(isClockData(data), c.clock) << c.record;
        EXPECT_EQ(isSeparatorData(data), c.separator) << c.record;
        EXPECT_EQ(rowKind(c.record), c.separator ? kRowKindSeparator : kRowKindOther) << c.record;
        EXPECT_EQ(parseSignalRow(c.record).clock, c.clock) << c.record;
    }
}

TEST(CellGrid, HoldsTheFullGridAndIgnoresEverythingOutsideIt)
{
    CellGrid grid;
    grid.set(255, 599, 7);
    grid.set(0, 0, -2);
    EXPECT_EQ(grid.get(255, 599), 7);
    EXPECT_EQ(grid.get(0, 0), -2);
    grid.set(256, 0, 9);
    grid.set(0, 600, 9);
    grid.set(-1, 5, 9);
    EXPECT_EQ(grid.get(256, 0), 0);
    EXPECT_EQ(grid.get(0, 600), 0);
    EXPECT_EQ(grid.get(-1, 5), 0);
    EXPECT_EQ(grid.row(256), nullptr);

    CellGrid copy = grid;
    grid.clearRow(255);
    EXPECT_EQ(grid.get(255, 599), 0);
    EXPECT_EQ(copy.get(255, 599), 7);
}
