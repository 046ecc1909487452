#include "tree/TreeSql.h"

#include "Columns.h"
#include "tree/DateGrouping.h"

#include <gtest/gtest.h>

using namespace tree;

namespace {

const auto Orders = test::columnTable({{"[Region]", "CStr"}, {"[Amount]", "CDbl"}});
const QString Jet = "Microsoft.Jet.OLEDB.4.0";

} // namespace

TEST(TreeSql, TheRootCountsWithOrWithoutTheFirstColumnsStatistics) {
    EXPECT_EQ(rootStatement(test::columnTable({{"[Amount]", "CCur"}}), "[Orders]"),
              "SELECT Count(1) AS CNNULL , Min([Amount]) AS CMIN, Max([Amount]) AS CMAX, "
              "Avg([Amount]) AS CAVG, Sum([Amount]) AS CSUM FROM [Orders]");
    EXPECT_EQ(rootStatement(Orders, "[Orders]"), "SELECT Count(1) AS CNNULL  FROM [Orders]");
}

TEST(TreeSql, AFirstLevelWithTheNextColumnsStatistics) {
    const LevelSql level{0, 2, "[Orders]", "", ""};
    EXPECT_EQ(nullGroupStatement(Orders, level),
              "SELECT COUNT(1) AS CCNT , Min([Amount]) AS CMIN, Max([Amount]) AS CMAX, "
              "Avg([Amount]) AS CAVG, Sum([Amount]) AS CSUM FROM [Orders] WHERE [Region] IS NULL");
    EXPECT_EQ(groupedStatement(Orders, level),
              "SELECT [Region] AS CNAME, COUNT([Region]) AS CCNT , Min([Amount]) AS CMIN, "
              "Max([Amount]) AS CMAX, Avg([Amount]) AS CAVG, Sum([Amount]) AS CSUM FROM "
              "[Orders] WHERE [Region] IS NOT NULL  GROUP BY [Region]");
}

TEST(TreeSql, ADateLevelUnderAFilterCountsRows) {
    auto columns = test::columnTable({{"[Region]", "CStr"}, {"[OrderDate]", "CDate"}});
    const LevelSql level{1, 2, "[Orders]", "[Region] = 'North'",
                         TreeBuildDate("[OrderDate]", "Month", Jet)};
    EXPECT_EQ(groupedStatement(columns, level),
              "SELECT Format([OrderDate], \"yyyy\\/mm\") AS CNAME, COUNT(1) AS CCNT FROM "
              "[Orders] WHERE [OrderDate] IS NOT NULL  AND [Region] = 'North' GROUP BY "
              "Format([OrderDate], \"yyyy\\/mm\")");
    EXPECT_EQ(nullGroupStatement(columns, level),
              "SELECT COUNT(1) AS CCNT FROM [Orders] WHERE [OrderDate] IS NULL AND [Region] = "
              "'North'");

    const LevelSql oracle{1, 2, "SALES.ORDERS", "REGION = 'North'",
                          TreeBuildDate("ORDERDATE", "Quarter", "MSDAORA.1")};
    columns[1].ColSQL = "ORDERDATE";
    EXPECT_EQ(groupedStatement(columns, oracle),
              "SELECT to_char(ORDERDATE, 'YYYY/') || 'Q' || to_char(ORDERDATE, 'Q') AS CNAME, "
              "COUNT(1) AS CCNT FROM SALES.ORDERS WHERE ORDERDATE IS NOT NULL  AND REGION = "
              "'North' GROUP BY to_char(ORDERDATE, 'YYYY/') || 'Q' || to_char(ORDERDATE, 'Q')");
}

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
