// The statements the program writes, translated and run in the engine against a tiny table.
#include "QtPrinters.h"
#include "data/AdoTypes.h"
#include "data/jet/JetTestDatabase.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::ado;
using Rows = QList<QStringList>;

namespace {

QStringList namesOf(const Translation& translation) {
    QStringList names;
    for (const ResultColumn& column : translation.columns)
        names << column.name;
    return names;
}

std::vector<int> typesOf(const Translation& translation) {
    std::vector<int> types;
    for (const ResultColumn& column : translation.columns)
        types.push_back(column.adoType);
    return types;
}

// The ids of the orders meeting the condition, in order.
QString idsWhere(JetTestDatabase& db, const QString& condition) {
    QStringList ids;
    for (const QStringList& row :
         db.rows("SELECT [OrderID] FROM [Orders] WHERE " + condition + " ORDER BY [OrderID]"))
        ids << row[0];
    return ids.join(',');
}

const QString stats = "Min([Amount]) AS CMIN, Max([Amount]) AS CMAX, Avg([Amount]) AS CAVG, "
                      "Sum([Amount]) AS CSUM FROM [Orders]";

} // namespace

TEST(JetTranslateRows, EmptyDetailStatementsDescribeTheColumns) {
    JetTestDatabase db;
    EXPECT_TRUE(db.rows("Select * From [Orders] Where 1 = 0").isEmpty());
    EXPECT_EQ(namesOf(db.translation()), QStringList({"OrderID", "Customer", "Region", "Amount",
                                                      "Shipped", "Freight", "OrderDate", "Year"}));
    EXPECT_EQ(typesOf(db.translation()),
              std::vector<int>({adInteger, adVarWChar, adVarWChar, adCurrency, adBoolean, adDouble,
                                adDate, adSmallInt}));
    EXPECT_EQ(db.translation().columns[3].storage, Storage::Real); // currency comes divided
    EXPECT_EQ(db.translation().tables, QStringList({"Orders"}));

    EXPECT_TRUE(db.rows("SELECT [OrderID], [Customer], [Shipped], [Freight] FROM [Orders] WHERE "
                        "1 = 0")
                    .isEmpty());
    EXPECT_EQ(typesOf(db.translation()),
              std::vector<int>({adInteger, adVarWChar, adBoolean, adDouble}));
}

TEST(JetTranslateRows, StatisticsKeepCurrencyExact) {
    JetTestDatabase db;
    EXPECT_EQ(db.rows("SELECT Count(1) AS CNNULL , " + stats),
              Rows({{"6", "0.1", "20.0", "6.36", "31.8"}}));
    EXPECT_EQ(namesOf(db.translation()), QStringList({"CNNULL", "CMIN", "CMAX", "CAVG", "CSUM"}));
    EXPECT_EQ(typesOf(db.translation()),
              std::vector<int>({adInteger, adCurrency, adCurrency, adDouble, adCurrency}));

    EXPECT_EQ(db.rows("SELECT Count(1) AS CNNULL  FROM [Orders]"), Rows({{"6"}}));
    EXPECT_EQ(db.rows("SELECT COUNT(1) AS CCNT , " + stats + " WHERE [Region] IS NULL"),
              Rows({{"2", "20.0", "20.0", "20.0", "20.0"}}));
}

TEST(JetTranslateRows, GroupingFollowsTheTextCollation) {
    JetTestDatabase db;
    // North, north and NORTH are one group.
    const Rows groups = db.rows("SELECT [Region] AS CNAME, COUNT([Region]) AS CCNT , " + stats +
                                " WHERE [Region] IS NOT NULL  GROUP BY [Region]");
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].mid(1, 2), QStringList({"3", "0.1"}));
    EXPECT_EQ(groups[0][0].toLower(), "north");
    EXPECT_NEAR(groups[0][4].toDouble(), 11.6 / 3, 1e-9);
    EXPECT_EQ(groups[0][5], "11.6");
    EXPECT_EQ(groups[1], QStringList({"South", "1", "0.2", "0.2", "0.2", "0.2"}));
    EXPECT_EQ(typesOf(db.translation())[0], adVarWChar);

    EXPECT_EQ(db.rows("SELECT Format([OrderDate], \"yyyy\\/mm\") AS CNAME, COUNT(1) AS CCNT FROM "
                      "[Orders] WHERE [OrderDate] IS NOT NULL  AND [Region] = 'North' GROUP BY "
                      "Format([OrderDate], \"yyyy\\/mm\")"),
              Rows({{"2001/03", "1"}, {"2001/08", "1"}}));
    EXPECT_EQ(typesOf(db.translation()), std::vector<int>({adVarWChar, adInteger}));
}

TEST(JetTranslateRows, ConditionsSelectTheRightRows) {
    JetTestDatabase db;
    const std::pair<const char*, const char*> cases[] = {
        {"[Region] = 'North' AND [OrderDate] IS NULL  AND [Year] = 2001", "6"},
        {"[Shipped] = True", "1,3"},
        {"[Shipped] = False AND [Freight] > 2", "2,5"},
        {"Not [Shipped]", "2,4,5,6"},
        {"[Freight] = 1.5", "1,3"},
        {"[Amount] = 0.1 Or [Amount] >= 20", "2,3"},
        {"[OrderDate] = CDate('2001-03-04 10:00:00')", "1"},
        {"[OrderDate] >= #3/30/2001# And [OrderDate] < #2002-01-01#", "2,5"},
        {"Format([OrderDate], \"yyyy\\/\\Qq\") = '2001/Q3'", "2"},
        {"Format$([OrderDate], 'YYYY') = '2001'", "1,2,5"},
        {"[Region] Like 'n*' And [Customer] Not Like 'b*'", "1,6"},
        {"[OrderID] In (1, 4) Or [OrderID] Between 5 And 5", "1,4,5"},
        {"[Region] Not In ('SOUTH') Xor [Shipped]", "2,6"},
        {"IIf([Region] Is Null, 'none', [Region]) = 'NONE'", "3,5"},
        {"[Customer] & [Region] = 'alphanorth'", "1"},
        {"([OrderID] = 1) = True", "1"},
    };
    for (const auto& [condition, ids] : cases)
        EXPECT_EQ(idsWhere(db, condition), ids) << condition;
}

TEST(JetTranslateRows, ValuesFollowJetsArithmeticAndNullRules) {
    JetTestDatabase db;
    EXPECT_EQ(db.rows("SELECT 7 / 2, 7 \\ 2, 7.6 Mod 3, 2 ^ 3, -2 ^ 2, [Freight] + Null, "
                      "'a' + 'b', [Amount] * 2, [OrderID] = 1 FROM [Orders] WHERE [OrderID] = 1"),
              Rows({{"3.5", "3", "2", "8.0", "4.0", "NULL", "ab", "21.0", "-1"}}));
    EXPECT_EQ(db.translation().columns[8].storage, Storage::Boolean);

    EXPECT_EQ(db.rows("Select [A] & Chr(9) & [B] From [T]"), Rows({{"x\ty"}, {"p\tq"}, {"m\t"}}));
    EXPECT_EQ(namesOf(db.translation()), QStringList({"Expr1000"}));
}

TEST(JetTranslateRows, TextStatementsAndDetailOrdering) {
    JetTestDatabase db;
    // A doubled quote inside the literal; the comparison ignores case.
    EXPECT_EQ(db.rows("Select [A] From [T] WHERE [X] = 'Bon app'''"), Rows({{"x"}, {"m"}}));
    EXPECT_EQ(db.rows("SELECT [A], [B] FROM [T] WHERE [A] <> 'P'"),
              Rows({{"x", "y"}, {"m", "NULL"}}));
    EXPECT_EQ(db.rows("SELECT [A], [B] FROM [T] WHERE [A] <> 'P' ORDER BY [B] DESC"),
              Rows({{"x", "y"}, {"m", "NULL"}}));
    // A number is a value to Jet, not a select item's position.
    EXPECT_EQ(db.rows("SELECT [A] FROM [T] ORDER BY 2, [A]"), Rows({{"m"}, {"p"}, {"x"}}));
    EXPECT_EQ(db.rows("SELECT [A], [B] FROM [T] ORDER BY [B]"),
              Rows({{"m", "NULL"}, {"p", "q"}, {"x", "y"}}));
    EXPECT_EQ(db.rows("SELECT DISTINCT [Region] FROM [Orders] WHERE [Region] IS NOT NULL").size(),
              2);
}
