// The statements the program writes, run through the Jet provider against two tiny tables.
#include "data/AdoTypes.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;
using Rows = QList<QStringList>;

namespace {

class JetTranslateRows : public ::testing::Test {
protected:
    Rows rows(const QString& sql) { return rowsOf(provider, sql); }

    // Each result column as "name:type code".
    QStringList columns(const QString& sql) {
        const auto cursor = provider.execute(sql);
        QStringList columns;
        for (int i = 0; i < cursor->fieldCount(); ++i)
            columns << QString("%1:%2").arg(cursor->fieldName(i)).arg(cursor->fieldType(i));
        return columns;
    }

    // The ids of the orders meeting the condition, in order.
    QString idsWhere(const QString& condition) {
        QStringList ids;
        for (const QStringList& row :
             rows("SELECT [OrderID] FROM [Orders] WHERE " + condition + " ORDER BY [OrderID]"))
            ids << row[0];
        return ids.join(',');
    }

    JetProvider provider{ordersAndT(), {}};
};

const QString stats = "Min([Amount]) AS CMIN, Max([Amount]) AS CMAX, Avg([Amount]) AS CAVG, "
                      "Sum([Amount]) AS CSUM FROM [Orders]";

QString column(const char* name, int type) {
    return QString("%1:%2").arg(name).arg(type);
}

} // namespace

TEST_F(JetTranslateRows, EmptyDetailStatementsDescribeTheColumns) {
    EXPECT_TRUE(rows("Select * From [Orders] Where 1 = 0").isEmpty());
    EXPECT_EQ(columns("Select * From [Orders] Where 1 = 0"),
              QStringList({column("OrderID", adInteger), column("Customer", adVarWChar),
                           column("Region", adVarWChar), column("Amount", adCurrency),
                           column("Shipped", adBoolean), column("Freight", adDouble),
                           column("OrderDate", adDate), column("Year", adSmallInt)}));
}

TEST_F(JetTranslateRows, StatisticsKeepCurrencyExact) {
    EXPECT_EQ(rows("SELECT Count(1) AS CNNULL , " + stats),
              Rows({{"6", "0.1", "20", "6.36", "31.8"}}));
    EXPECT_EQ(columns("SELECT Count(1) AS CNNULL , " + stats),
              QStringList({column("CNNULL", adInteger), column("CMIN", adCurrency),
                           column("CMAX", adCurrency), column("CAVG", adDouble),
                           column("CSUM", adCurrency)}));
    EXPECT_EQ(rows("SELECT COUNT(1) AS CCNT , " + stats + " WHERE [Region] IS NULL"),
              Rows({{"2", "20", "20", "20", "20"}}));
}

TEST_F(JetTranslateRows, GroupingFollowsTheTextCollation) {
    // North, north and NORTH are one group.
    const Rows groups = rows("SELECT [Region] AS CNAME, COUNT([Region]) AS CCNT , " + stats +
                             " WHERE [Region] IS NOT NULL  GROUP BY [Region]");
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].mid(1, 2), QStringList({"3", "0.1"}));
    EXPECT_EQ(groups[0][0].toLower(), "north");
    EXPECT_NEAR(groups[0][4].toDouble(), 11.6 / 3, 1e-9);
    EXPECT_EQ(groups[0][5], "11.6");
    EXPECT_EQ(groups[1], QStringList({"South", "1", "0.2", "0.2", "0.2", "0.2"}));

    EXPECT_EQ(rows("SELECT Format([OrderDate], \"yyyy\\/mm\") AS CNAME, COUNT(1) AS CCNT FROM "
                   "[Orders] WHERE [OrderDate] IS NOT NULL  AND [Region] = 'North' GROUP BY "
                   "Format([OrderDate], \"yyyy\\/mm\")"),
              Rows({{"2001/03", "1"}, {"2001/08", "1"}}));
}

TEST_F(JetTranslateRows, ConditionsSelectTheRightRows) {
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
        EXPECT_EQ(idsWhere(condition), ids) << condition;
}

TEST_F(JetTranslateRows, ValuesFollowJetsArithmeticAndNullRules) {
    EXPECT_EQ(rows("SELECT 7 / 2, 7 \\ 2, 7.6 Mod 3, 2 ^ 3, -2 ^ 2, [Freight] + Null, "
                   "'a' + 'b', [Amount] * 2, [OrderID] = 1 FROM [Orders] WHERE [OrderID] = 1"),
              Rows({{"3.5", "3", "2", "8", "4", "NULL", "ab", "21", "true"}}));
    EXPECT_EQ(rows("Select [A] & Chr(9) & [B] From [T]"), Rows({{"x\ty"}, {"p\tq"}, {"m\t"}}));
    EXPECT_EQ(columns("Select [A] & Chr(9) & [B] From [T]"),
              QStringList({column("Expr1000", adVarWChar)}));
}

TEST_F(JetTranslateRows, TextStatementsAndDetailOrdering) {
    // A doubled quote inside the literal; the comparison ignores case.
    EXPECT_EQ(rows("Select [A] From [T] WHERE [X] = 'Bon app'''"), Rows({{"x"}, {"m"}}));
    EXPECT_EQ(rows("SELECT [A], [B] FROM [T] WHERE [A] <> 'P' ORDER BY [B] DESC"),
              Rows({{"x", "y"}, {"m", "NULL"}}));
    // A number is a value to Jet, not a select item's position.
    EXPECT_EQ(rows("SELECT [A] FROM [T] ORDER BY 2, [A]"), Rows({{"m"}, {"p"}, {"x"}}));
    EXPECT_EQ(rows("SELECT [A], [B] FROM [T] ORDER BY [B]"),
              Rows({{"m", "NULL"}, {"p", "q"}, {"x", "y"}}));
    EXPECT_EQ(rows("SELECT DISTINCT [Region] FROM [Orders] WHERE [Region] IS NOT NULL").size(), 2);
}
