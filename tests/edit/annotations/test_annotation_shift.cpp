#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "edit/annotations/AnnotationShift.h"
#include "model/Diagram.h"
#include "model/RecordFields.h"

using namespace sigmora;
using model::ListId;

namespace {

// Rows named so that two share a name (in another case and with blanks), with arrows, labels and
// their captions, time breaks and attached text boxes at random cells of random rows.
model::Diagram annotatedRows(unsigned seed)
{
    model::Diagram d;
    const char* names[] = {"a", "b", " A ", "c", "d"};
    for (const char* name : names)
        d.store.signals().append(model::fields::joinRow(name, "DATA_0_." + std::string(600, '1') +
                                                                   ".0.0.Arial.10.0.0.0.0.8421504.N/A.0.0.0.0.0."));
    std::mt19937 random(seed);
    auto cell = [&random] { return std::to_string(std::uniform_int_distribution<int>(0, 40)(random)); };
    auto name = [&random, &names] { return std::string(names[std::uniform_int_distribution<int>(0, 4)(random)]); };
    for (int i = 0; i < 30; ++i) {
        d.store.list(ListId::Arrows).append(cell() + "." + name() + "." + cell() + "." + name() + ".0.0.0.0.0.0.10.20.30.40.");
        d.store.list(ListId::Labels).append(cell() + "." + name() + "." + cell() + "." + name() + ".2.0.0.0.0.0.0.0.");
        d.store.list(ListId::Texts)
            .append("50.50.90.66.caption.WFLabel*" + std::to_string(i) + "*.     0.Arial.8.0.0.0.0.0.0.0.");
        d.store.list(ListId::TimeBreaks).append(cell() + "." + name() + ".");
        d.store.list(ListId::Texts).append(std::to_string(105 + 30 * std::stoi(cell())) + ".30.140.46.t." + name() +
                                           ".     0.Arial.8.0.0.0.0.0.0.0.");
    }
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 50; ++c) {
            d.store.floodStyles().set(r, c, c % 8);
            d.store.edgeOffsets().set(r, c, c % 5 - 2);
        }
    return d;
}

bool sameContent(const model::Diagram& a, const model::Diagram& b)
{
    for (ListId id : {ListId::Arrows, ListId::Labels, ListId::Texts, ListId::TimeBreaks})
        if (a.store.list(id).records() != b.store.list(id).records())
            return false;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < model::kMaxCells; ++c)
            if (a.store.floodStyles().get(r, c) != b.store.floodStyles().get(r, c) ||
                a.store.edgeOffsets().get(r, c) != b.store.edgeOffsets().get(r, c))
                return false;
    return true;
}

} // namespace

// Shifting several rows in one pass gives what shifting them one after the other gives: for
// inserts and removals, with ends deleted in removed cells, labels taking their captions, and two
// rows of the same name moving what names them twice.
TEST(AnnotationShift, SeveralRowsAtOnceEqualOneAfterTheOther)
{
    struct Case {
        std::vector<edit::RowCellShift> shifts;
        int column;
    };
    const Case cases[] = {
        {{{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}, 10},
        {{{0, -4}, {2, -4}, {4, -4}}, 12},
        {{{1, -2}, {2, -5}, {3, 1}}, 0},
        {{{0, 1}, {2, 1}}, 39},
    };
    for (unsigned seed = 1; seed <= 20; ++seed) {
        for (const Case& c : cases) {
            model::Diagram together = annotatedRows(seed);
            model::Diagram oneByOne = together;
            edit::shiftAnnotations(together, c.shifts, c.column);
            for (const edit::RowCellShift& s : c.shifts)
                edit::shiftAnnotations(oneByOne, s.row, s.count, c.column);
            EXPECT_TRUE(sameContent(together, oneByOne)) << "seed " << seed << " column " << c.column;
            EXPECT_FALSE(sameContent(together, annotatedRows(seed))) << "seed " << seed << " nothing moved";
        }
    }
}
