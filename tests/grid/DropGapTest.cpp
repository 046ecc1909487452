// Where a block of grid columns picked up in the header may be dropped.
#include "grid/DropGap.h"

#include <gtest/gtest.h>

using grid::ColumnExtent;
using grid::GapPick;

namespace {

// Five columns 1,000 twips wide on a grid 6,000 wide; the first, at the grid's left edge, has
// Left 0 like a column scrolled out of view.
const std::vector<ColumnExtent> InView = {
    {0, 1000}, {1000, 1000}, {2000, 1000}, {3000, 1000}, {4000, 1000}};
// Scrolled by two columns: the first three all report Left 0.
const std::vector<ColumnExtent> Scrolled = {
    {0, 1000}, {0, 1000}, {0, 1000}, {1000, 1000}, {2000, 1000}};

} // namespace

TEST(DropGap, GapsAndTheBandsAndSpansTheyLieIn) {
    const struct {
        const std::vector<ColumnExtent>& columns;
        double x;
        int start, end;
        std::optional<int> first, last;
    } cases[] = {
        {InView, 100, 1, 1, 0, 0},                       // over the first column's left half
        {InView, 100, 0, 0, std::nullopt, std::nullopt}, // the block is already in front
        {InView, 4800, 1, 2, 5, 5},                      // over the last column's right half
        {InView, 4800, 3, 4, std::nullopt, std::nullopt},
        {InView, 6100, 1, 1, std::nullopt, std::nullopt}, // beyond the grid's right edge
        {InView, 2000, 4, 4, 2, 2},                       // the edge between two columns
        {InView, 1500, 4, 4, 1, 2}, // a middle belongs to the gaps on both sides
        {InView, 1500, 2, 4, 1, 1},
        {InView, 2000, 2, 2, std::nullopt, std::nullopt}, // the gap right before the block
        {InView, 3000, 2, 2, std::nullopt, std::nullopt}, // and right after it
        {InView, 3000, 1, 3, std::nullopt, std::nullopt}, // inside it
        {Scrolled, 1200, 0, 0, 3, 3},                     // next to the first column in view
        {Scrolled, 300, 4, 4, 0, 0},                      // the front gap goes before the others
        {{}, 100, 0, 0, std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << ", block " << c.start << "-" << c.end);
        EXPECT_EQ(grid::dropGap(c.columns, 6000, c.x, c.start, c.end, GapPick::First), c.first);
        EXPECT_EQ(grid::dropGap(c.columns, 6000, c.x, c.start, c.end, GapPick::Last), c.last);
    }

    // The header band and the block's span include their edges as they should.
    EXPECT_FALSE(grid::inHeaderBand(0, 300));
    EXPECT_TRUE(grid::inHeaderBand(1, 300));
    EXPECT_FALSE(grid::inHeaderBand(300, 300));
    EXPECT_TRUE(grid::overColumns(InView, 1, 2, 1000));
    EXPECT_TRUE(grid::overColumns(InView, 1, 2, 3000));
    EXPECT_FALSE(grid::overColumns(InView, 1, 2, 3001));
    EXPECT_FALSE(grid::overColumns(InView, -1, -1, 0));
    EXPECT_FALSE(grid::overColumns(InView, 4, 5, 4500));
}
