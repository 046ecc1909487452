// Whether a level carries statistics. The statements themselves are checked by running them:
// TreeInvariant builds whole trees through them in each dialect, and JetTranslateRows runs them
// through the Jet provider.
#include "tree/TreeSql.h"

#include "Columns.h"

#include <gtest/gtest.h>

using namespace tree;

TEST(TreeSql, TheLastColumnHasNoStatistics) {
    const auto columns = test::columnTable({{"[Amount]", "CDbl"}, {"[Qty]", "CInt"}});
    EXPECT_TRUE(levelHasStatistics(columns, {0, 2, "[T]", "", ""}));
    const LevelSql last{1, 2, "[T]", "", ""};
    EXPECT_FALSE(levelHasStatistics(columns, last));
    EXPECT_EQ(groupedStatement(columns, last),
              "SELECT [Qty] AS CNAME, COUNT([Qty]) AS CCNT FROM [T] WHERE [Qty] IS NOT NULL  "
              "GROUP BY [Qty]");
    // Past the bound of the table nothing is read either.
    EXPECT_FALSE(
        levelHasStatistics(columns, {data::ColInfoUpper, data::ColInfoUpper + 1, "", "", ""}));
}
