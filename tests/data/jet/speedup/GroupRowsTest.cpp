// Groups made of runs of finer groups (a first level's groups made of their pairs) give the
// rows of their runs, and in stored order where a statement reads them.
#include "data/jet/speedup/GroupRows.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

using namespace data::jet;

TEST(GroupRows, GroupsOfRunsGiveTheRowsOfTheirRunsInStoredOrder) {
    std::mt19937 random(17);
    // 5,000 rows in 40 finer groups, gathered in runs of 0 to 7 into coarser groups.
    std::vector<std::uint32_t> finerOfRow(5000);
    for (std::uint32_t& group : finerOfRow)
        group = random() % 40;
    const auto finer = std::make_shared<GroupRows>(finerOfRow, 40);
    std::vector<std::uint32_t> firstFiner = {0};
    while (firstFiner.back() < 40)
        firstFiner.push_back(std::min<std::uint32_t>(40, firstFiner.back() + random() % 8));
    const GroupRows coarse(finer, firstFiner);
    ASSERT_EQ(coarse.groups(), firstFiner.size() - 1);
    std::vector<std::uint32_t> merged;
    for (std::size_t g = 0; g < coarse.groups(); ++g) {
        std::vector<std::uint32_t> expected;
        for (std::uint32_t row = 0; row < finerOfRow.size(); ++row)
            if (finerOfRow[row] >= firstFiner[g] && finerOfRow[row] < firstFiner[g + 1])
                expected.push_back(row + 1);
        const auto ids = coarse.of(std::int64_t(g));
        std::vector<std::uint32_t> sorted(ids.begin(), ids.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, expected) << g;
        const auto ordered = coarse.ordered(std::int64_t(g), merged);
        EXPECT_EQ(std::vector<std::uint32_t>(ordered.begin(), ordered.end()), expected) << g;
    }
    EXPECT_EQ(coarse.count(), 5000u);
}
