#include <gtest/gtest.h>

#include "io/pictures/PictureSize.h"
#include "model/RowFactory.h"

using namespace sigmora;

TEST(PictureSize, WholeDiagramLikeTheBitmapExport)
{
    struct Case {
        const char* what;
        int rows;
        int waveformWidth, nameColumnWidth, signalHeight;
        io::PictureSize size;
    };
    const Case cases[] = {
        // (8 + 100 + 5 + 600 + 32) = 745 -> 736; (1 x 44 + 20 + 8 + 32) = 104 -> 96.
        {"the default one-signal diagram", 1, 600, 100, 16, {736, 96}},
        {"no rows", 0, 600, 100, 16, {736, 48}},
        {"256 rows", 256, 600, 100, 16, {736, 11312}},
        {"exact multiples stay", 2, 611, 100, 16, {752, 144}},
        {"a wide name column", 3, 900, 250, 20, {1184, 208}},
    };
    for (const Case& c : cases) {
        model::Diagram d;
        for (int i = 0; i < c.rows; ++i)
            d.store.signals().append(model::buildRowRecord(model::NewRowKind::Signal, "S", 1));
        d.settings.waveformWidth = c.waveformWidth;
        d.settings.nameColumnWidth = c.nameColumnWidth;
        d.settings.signalHeight = c.signalHeight;
        EXPECT_EQ(io::wholeDiagramPictureSize(d), c.size) << c.what;
        EXPECT_TRUE(io::pictureSizeAllowed(c.size)) << c.what;
    }
}

TEST(PictureSize, AbsurdSizesAreRefusedBeforeAnythingIsAllocated)
{
    model::Diagram d;
    d.settings.waveformWidth = 2147483647;
    EXPECT_FALSE(io::pictureSizeAllowed(io::wholeDiagramPictureSize(d)));
    d.settings.waveformWidth = -5000;
    EXPECT_FALSE(io::pictureSizeAllowed(io::wholeDiagramPictureSize(d)));
    EXPECT_FALSE(io::pictureSizeAllowed({32768, 16}));
    EXPECT_FALSE(io::pictureSizeAllowed({30000, 30000}));
    EXPECT_TRUE(io::pictureSizeAllowed({16, 16}));
    // Vector pictures have no pixels to allocate: only their sides are bounded.
    EXPECT_TRUE(io::vectorPictureSizeAllowed({18144, 11312}));
    EXPECT_FALSE(io::pictureSizeAllowed({18144, 11312}));
    EXPECT_FALSE(io::vectorPictureSizeAllowed({32768, 16}));
    EXPECT_FALSE(io::vectorPictureSizeAllowed({0, 16}));
}
