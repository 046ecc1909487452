#include "ui/main/MainLayout.h"

#include <gtest/gtest.h>

using namespace ui::layout;

TEST(MainLayoutRule, SplitIsClampedToLeaveBothPanesTheirSmallestWidth) {
    EXPECT_EQ(clampSplit(200, 8000), 1500);
    EXPECT_EQ(clampSplit(4000, 8000), 4000);
    EXPECT_EQ(clampSplit(7900, 8000), 6500);
    // A window of 3000 has both bounds at 1500; narrower, the upper bound wins.
    EXPECT_EQ(clampSplit(100, 3000), 1500);
    EXPECT_EQ(clampSplit(2900, 3000), 1500);
    EXPECT_EQ(clampSplit(2000, 2600), 1100);
}

TEST(MainLayoutRule, PanesFollowTheSplitWithTheirGapsAndOffsets) {
    Frame frame{8000, 6000, 0, 300, 0, 400};
    const Panes p = sizeControls(2500, frame);
    EXPECT_EQ(p.split, 2500);
    EXPECT_EQ(p.gridLeft, 2540);
    EXPECT_EQ(p.gridWidth, 8000 - 2640);
    EXPECT_EQ(p.treeTitleWidth, 2500);
    EXPECT_EQ(p.gridTitleLeft, 2560);
    EXPECT_EQ(p.gridTitleWidth, 8000 - 2640 - 40);
    EXPECT_EQ(p.paneTop, 300);
    EXPECT_EQ(p.paneHeight, 6000 - 700);

    frame.toolbarHeight = 420;
    frame.titlesTop = 420;
    frame.statusHeight = 0;
    const Panes withToolbar = sizeControls(2500, frame);
    EXPECT_EQ(withToolbar.paneTop, 720);
    EXPECT_EQ(withToolbar.paneHeight, 6000 - 720);
}

TEST(MainLayoutRule, DraggedBarStopsFiveHundredFromEitherEdge) {
    EXPECT_EQ(dragBarLeft(1965, -3000, 8000), 500);
    EXPECT_EQ(dragBarLeft(1965, 35, 8000), 2000);
    EXPECT_EQ(dragBarLeft(1965, 9000, 8000), 7500);
}
