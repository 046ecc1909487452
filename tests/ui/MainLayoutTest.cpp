#include "ui/main/MainLayout.h"

#include <gtest/gtest.h>

using namespace ui::layout;

// The gaps between the panes are checked on the window itself, whose toolbar stays hidden.
TEST(MainLayoutRule, AToolbarPushesThePanesDown) {
    const Panes p = sizeControls(2500, Frame{8000, 6000, 420, 300, 420, 0});
    EXPECT_EQ(p.paneTop, 720);
    EXPECT_EQ(p.paneHeight, 6000 - 720);
}
