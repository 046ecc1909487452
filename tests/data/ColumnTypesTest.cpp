#include "data/ColumnTypes.h"

#include "data/ColumnTable.h"
#include "grid/DetailSql.h"

#include <gtest/gtest.h>

using namespace data;

TEST(ColumnTypes, EveryTypeCodeGetsItsKeyword) {
    const std::vector<std::pair<QString, std::vector<int>>> table = {
        {"CInt", {2, 3, 16, 17, 18, 19}},
        {"CLng", {20, 21}},
        {"CDec", {6, 14, 131, 139}},
        {"CDbl", {4, 5}},
        {"CBool", {11}},
        {"CStr", {129, 130, 200, 201, 202, 203}},
        {"CDate", {7, 133, 134, 135}},
        {"NOTHING", {0, 8, 12, 72, 128, 204, 205, 136, -1, 9999}},
    };
    for (const auto& [keyword, codes] : table)
        for (int code : codes)
            EXPECT_EQ(colADTypes(code), keyword) << code;
}

TEST(ColumnTypes, NumericKeywordsAreRecognisedExactly) {
    for (const char* k : {"CCur", "CByte", "CDbl", "CDec", "CInt", "CLng", "CSng"})
        EXPECT_TRUE(ColIsNumeric(k)) << k;
    for (const char* k : {"cint", "CINT", "CBool", "CStr", "CDate", "NOTHING", "0", "", " CInt"})
        EXPECT_FALSE(ColIsNumeric(k)) << k;
}

TEST(ColumnTable, NamesAndRecordSourcesFollowTheDialect) {
    EXPECT_EQ(columnSql("Order Date", "Microsoft.Jet.OLEDB.4.0"), "[Order Date]");
    EXPECT_EQ(columnSql("Amount", "MSDASQL.1"), "[Amount]");
    EXPECT_EQ(columnSql("AMOUNT", "MSDAORA.1"), "AMOUNT");
    EXPECT_EQ(recordSourceFor("Order Lines", "Microsoft.Jet.OLEDB.4.0"), "[Order Lines]");
    EXPECT_EQ(recordSourceFor("SALES.ORDERS", "MSDAORA.1"), "SALES.ORDERS");
    EXPECT_EQ(structureSql("[Orders]"), "Select * From [Orders] Where 1 = 0");
}

TEST(ColumnTable, SpareEntriesHoldTheirSpareValuesAndTheGridStatementListsTheLiveOnes) {
    ColInfoTable table;
    for (int i = 0; i <= ColInfoUpper; ++i)
        table[i] = ColInfoRec{"C", "[C]", "CStr", "Year", true};
    table[0] = ColInfoRec{"OrderID", "[OrderID]", "CInt", "", false};
    table[1] = ColInfoRec{"Customer", "[Customer]", "CStr", "", false};
    table[2] = ColInfoRec{"Shipped", "[Shipped]", "CDate", "", false};
    table[3] = ColInfoRec{"Freight", "[Freight]", "CDec", "", false};
    resetSpareEntries(table, 4);
    for (int i = 4; i <= ColInfoUpper; ++i) {
        EXPECT_EQ(table[i].ColName, "");
        EXPECT_EQ(table[i].ColSQL, "");
        EXPECT_EQ(table[i].ColConv, "0");
        EXPECT_EQ(table[i].ColDateGroup, "");
        EXPECT_FALSE(table[i].ColGrouped);
    }
    EXPECT_EQ(grid::listBuildFieldsSql(table, 4, "[Orders]"),
              "SELECT [OrderID], [Customer], [Shipped], [Freight] FROM [Orders] WHERE 1 = 0");
    EXPECT_EQ(grid::listBuildFieldsSql(table, 1, "SALES.ORDERS"),
              "SELECT [OrderID] FROM SALES.ORDERS WHERE 1 = 0");
}
