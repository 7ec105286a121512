#include <gtest/gtest.h>

#include "edit/session/CommandIds.h"
#include "edit/rows/EdgeOffsets.h"
#include "edit/mouse/TransitionEdge.h"
#include "support/EditorDriver.h"

using namespace sigmora;
using edit::EdgeGrip;

namespace {

// One signal low in columns 0 to 2 and high from column 3: its edge is at the left of column 3,
// which runs from x = 195 to 224 (origin 105, cells 30 wide).
struct EdgeFixture : ::testing::Test {
    test::EditorDriver d;
    static constexpr int kY = 28;

    void SetUp() override
    {
        d.addSignals(1);
        d.editor.diagram().settings.nameColumnWidth = 100;
        d.setWave(0, "0000" + std::string(596, '1'));
    }
    model::CellGrid& offsets() { return d.editor.diagram().store.edgeOffsets(); }
    void placeEdge(int column, int offset)
    {
        offsets().clear();
        offsets().set(0, column + 1, offset);
        offsets().set(0, column + 2, -offset);
    }
    std::optional<EdgeGrip> at(int x) { return edit::transitionEdgeAt(d.editor.diagram(), d.grid(), x, kY); }
};

} // namespace

TEST_F(EdgeFixture, HoverWindowsForIdealSlantedAndPushedEdges)
{
    struct Case {
        const char* name;
        bool ideal;
        int offset;
        int x;
        std::optional<EdgeGrip> expected;
    };
    const EdgeGrip edge3{0, 3};
    const Case cases[] = {
        {"slanted, 3 into the run", false, 0, 198, edge3},
        {"slanted, 7 into the run", false, 0, 202, edge3},
        {"slanted, before the run", false, 0, 197, std::nullopt},
        {"slanted, past the run", false, 0, 203, std::nullopt},
        {"ideal, on the edge", true, 0, 195, edge3},
        {"ideal, 2 right", true, 0, 197, edge3},
        {"ideal, 3 right", true, 0, 198, std::nullopt},
        {"ideal, delayed 10", true, 10, 203, edge3},
        {"ideal, late edge from itself", true, 27, 222, edge3},
        {"ideal, late edge not before", true, 27, 221, std::nullopt},
        {"pushed into the next column", false, 25, 227, edge3},
        {"pushed, past its reach", false, 25, 228, std::nullopt},
        {"no edge in column 5", false, 0, 258, std::nullopt},
    };
    for (const Case& c : cases) {
        d.setDataField(0, model::signalfield::Ideal, c.ideal ? "1" : "0");
        placeEdge(3, c.offset);
        EXPECT_EQ(at(c.x), c.expected) << c.name;
    }
}

TEST_F(EdgeFixture, LockedRowsSeparatorsAndPointsOutsideTheBandHaveNoEdge)
{
    EXPECT_TRUE(at(198));
    EXPECT_FALSE(edit::transitionEdgeAt(d.editor.diagram(), d.grid(), 198, 12)) << "band edge excluded";
    d.setDataField(0, model::signalfield::Locked, "1");
    EXPECT_FALSE(at(198));
    d.editor.diagram().store.signals().replace(0, "sep\t\t\t\t\tSEP_0.0.1.Arial.1.1.0.0.0.1.");
    EXPECT_FALSE(at(198));
}

TEST_F(EdgeFixture, DraggingMovesByPixelsThenByWholeCells)
{
    struct Case {
        const char* name;
        int offset;
        int dx;
        int column;       // where the grip ends
        int columnOffset; // the accumulated offset there
        char cell3;
        char cell4;
    };
    const Case cases[] = {
        {"later by 5", 0, 5, 3, 5, '0', '1'},
        {"later, one pixel at the limit", 17, 5, 3, 18, '0', '1'},
        {"later past the limit by n", 20, 5, 3, 25, '0', '1'},
        {"later into the next cell", 28, 5, 4, 0, '0', '0'},
        {"earlier by 3", 5, -3, 3, 2, '0', '1'},
        {"earlier, one pixel near 0", 1, -3, 3, 0, '0', '1'},
        {"earlier into the cell before", 0, -2, 2, 30, '1', '1'},
    };
    for (const Case& c : cases) {
        d.setWave(0, "0000" + std::string(596, '1'));
        placeEdge(3, c.offset);
        EdgeGrip grip{0, 3};
        EXPECT_TRUE(edit::dragTransitionEdge(d.editor.diagram(), grip, c.dx)) << c.name;
        EXPECT_EQ(grip.column, c.column) << c.name;
        EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, c.column), c.columnOffset) << c.name;
        EXPECT_EQ(d.wave(0)[3], c.cell3) << c.name;
        EXPECT_EQ(d.wave(0)[4], c.cell4) << c.name;
        EXPECT_FALSE(edit::resetUnbalancedRow(offsets(), 0)) << c.name;
    }
}

TEST_F(EdgeFixture, AnUnbalancedRowIsReset)
{
    placeEdge(3, 4);
    offsets().set(0, 50, 7);
    EdgeGrip grip{0, 3};
    edit::dragTransitionEdge(d.editor.diagram(), grip, 2);
    for (int k = 0; k < model::kMaxCells; ++k)
        ASSERT_EQ(offsets().get(0, k), 0) << k;
}

TEST_F(EdgeFixture, HoverPressDragAndReleaseWithTheMouse)
{
    d.editor.execute(edit::cmd::ModeEdit);
    d.click(260, kY); // select the row with the select tool
    d.hover(199, kY);
    EXPECT_EQ(d.editor.state().hover, edit::Hover::TransitionEdge);
    const int snapshots = d.snapshots;
    d.press(199, kY);
    d.moveHeld(203, kY);
    d.moveHeld(209, kY);
    d.release(209, kY);
    EXPECT_EQ(edit::accumulatedOffset(offsets(), 0, 3), 10);
    EXPECT_EQ(d.snapshots - snapshots, 1);
    EXPECT_EQ(d.wave(0).substr(0, 6), "000011") << "no cell painted";
}
