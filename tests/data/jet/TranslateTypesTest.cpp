// What a translation says about its result columns, the SQL it writes, and how it fails.
#include "data/AdoTypes.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::ado;
using data::jet::testing::ordersAndT;

namespace {

QString failure(Engine& db, const QString& sql) {
    return test::failureOf([&] { translate(sql, db); });
}

} // namespace

TEST(JetTranslateTypes, EachSelectItemHasJetsFieldType) {
    Engine db(ordersAndT());
    const std::pair<const char*, int> items[] = {
        {"CInt([Freight])", adSmallInt},
        {"CLng(1)", adInteger},
        {"CDbl('1')", adDouble},
        {"CCur(1)", adCurrency},
        {"CBool(1)", adBoolean},
        {"CDate('2001-01-01')", adDate},
        {"CStr(1)", adVarWChar},
        {"Left$([Customer], 2)", adVarWChar},
        {"Year([OrderDate])", adSmallInt},
        {"1", adInteger},
        {"1.5", adDouble},
        {"3000000000", adDouble},
        {"[OrderID] = 1", adBoolean},
        {"[OrderID] & ''", adVarWChar},
        {"[OrderID] + [Year]", adInteger},
        {"[Amount] * 2", adCurrency},
        {"[OrderID] / 2", adDouble},
        {"IIf([Shipped], 1, 2)", adInteger},
        {"IIf([Shipped], Null, [OrderDate])", adDate},
        {"IIf([Shipped], 1, 'a')", adVarWChar},
        {"Nz([Freight], 0)", adVarWChar},
        {"Nz([Amount])", adCurrency},
        {"Count(*)", adInteger},
        {"Min([OrderDate])", adDate},
        {"Sum([Year])", adInteger},
        {"Sum([Freight])", adDouble},
        {"Sum([Amount])", adCurrency},
    };
    QStringList list;
    for (const auto& item : items)
        list << item.first;
    const Translation translation = translate("SELECT " + list.join(", ") + " FROM Orders", db);
    ASSERT_EQ(translation.columns.size(), std::size(items));
    for (size_t i = 0; i < std::size(items); ++i) {
        EXPECT_EQ(translation.columns[i].adoType, items[i].second) << items[i].first;
        EXPECT_EQ(translation.columns[i].name, QString("Expr%1").arg(1000 + i));
    }
    EXPECT_EQ(translation.columns[4].storage, Storage::Boolean);
    EXPECT_EQ(translation.columns[5].storage, Storage::DateTime);
    EXPECT_EQ(translation.columns[12].storage, Storage::Boolean); // [OrderID] = 1
    EXPECT_EQ(translation.columns.back().storage, Storage::Real);
}

TEST(JetTranslateTypes, NamesResolveWithoutRegardToCaseAndKeepTheCatalogsSpelling) {
    Engine db(ordersAndT());
    Translation translation =
        translate("SELECT [orders].[amount], ORDERS.Region AS R, orderid + 1 FROM orders", db);
    EXPECT_EQ(translation.columns[0].name, "Amount");
    EXPECT_EQ(translation.columns[1].name, "R");
    EXPECT_EQ(translation.columns[2].name, "Expr1000");
    EXPECT_EQ(translation.tables, QStringList({"Orders"}));
    EXPECT_EQ(translation.sqliteSql,
              "SELECT (\"Amount\" / 10000.0) AS \"Amount\", \"Region\" AS \"R\", "
              "(\"OrderID\" + 1) AS \"Expr1000\" FROM \"Orders\" NOT INDEXED");

    translation = translate("SELECT [Odd \"Name\"], [A] & Chr(9) & [B] FROM [T] WHERE [X] = "
                            "'it''s' AND Not [A] Is Null ORDER BY 1, Left([B], 1) DESC",
                            db);
    EXPECT_EQ(translation.sqliteSql,
              "SELECT \"Odd \"\"Name\"\"\" AS \"Odd \"\"Name\"\"\", vb_concat(vb_concat(\"A\", "
              "vb_chr(9)), \"B\") AS \"Expr1000\" FROM \"T\" WHERE ((\"X\" COLLATE JETTEXT = "
              "'it''s') AND (NOT (\"A\" IS NULL))) ORDER BY CAST(1 AS NUMERIC), "
              "vb_left(\"B\", 1) COLLATE JETTEXT DESC");

    translation = translate("SELECT o.[Region] FROM [Orders] AS o WHERE O.OrderID = 1", db);
    EXPECT_EQ(translation.columns[0].name, "Region");
}

TEST(JetTranslateTypes, FailuresDescribeTheProblem) {
    Engine db(ordersAndT());
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM [Ordres]", "The database engine cannot find the input table or query "
                                   "'Ordres'. Make sure it exists and that its name is spelled "
                                   "correctly."},
        {"SELECT * FROM SALES.ORDERS", "The database engine cannot find the input table or query "
                                       "'SALES.ORDERS'. Make sure it exists and that its name is "
                                       "spelled correctly."},
        {"SELECT [Amout] FROM [Orders]", "Unknown column 'Amout' in table 'Orders'."},
        {"SELECT [T].[A] FROM [Orders]", "Unknown column 'T.A' in table 'Orders'."},
        {"SELECT Orders.Region FROM Orders o", "Unknown column 'Orders.Region' in table 'Orders'."},
        {"SELECT Foo([Region]) FROM [Orders]", "Undefined function 'Foo' in expression."},
        {"SELECT CInt$(1) FROM [Orders]", "Undefined function 'CInt$' in expression."},
        {"SELECT Left([Region]) FROM [Orders]",
         "Wrong number of arguments used with function in query expression 'Left([Region])'."},
        {"SELECT IIf(1, 2) FROM [Orders]",
         "Wrong number of arguments used with function in query expression 'IIf(1, 2)'."},
        {"SELECT Sum(*) FROM [Orders]",
         "Syntax error (missing operator) in query expression 'Sum(*)'."},
        {"SELECT * FROM [Orders] WHERE Count(1) > 1",
         "Cannot have aggregate function in WHERE clause (Count(1) > 1)."},
        {"SELECT Count(1) FROM [Orders] GROUP BY Max([Year])",
         "Cannot have aggregate function in GROUP BY clause (Max([Year]))."},
        {"SELECT Sum(Count(1)) FROM [Orders]",
         "Cannot have aggregate function in expression (Sum(Count(1)))."},
    };
    for (const auto& [sql, message] : cases)
        EXPECT_EQ(failure(db, sql), message) << sql;
}
