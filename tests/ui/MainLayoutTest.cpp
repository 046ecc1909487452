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

// The gaps between the panes are checked on the window itself, whose toolbar stays hidden.
TEST(MainLayoutRule, AToolbarPushesThePanesDown) {
    const Panes p = sizeControls(2500, Frame{8000, 6000, 420, 300, 420, 0});
    EXPECT_EQ(p.paneTop, 720);
    EXPECT_EQ(p.paneHeight, 6000 - 720);
}

TEST(MainLayoutRule, DraggedBarStopsFiveHundredFromEitherEdge) {
    EXPECT_EQ(dragBarLeft(1965, -3000, 8000), 500);
    EXPECT_EQ(dragBarLeft(1965, 35, 8000), 2000);
    EXPECT_EQ(dragBarLeft(1965, 9000, 8000), 7500);
}
