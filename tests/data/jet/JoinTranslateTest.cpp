// Statements over several sources, as saved queries write them: joins and lists of tables,
// columns named after their sources, DISTINCTROW, TOP and subqueries; parsed, translated and run
// through the Jet provider against a few small tables.
#include "data/AdoTypes.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Lexer.h"
#include "data/jet/Parser.h"
#include "data/jet/Translate.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;
using Rows = QList<QStringList>;

namespace {

// Customers, some with orders; two customers share a name, one order has no customer, one
// customer none.
std::shared_ptr<MemoryTableSource> shop() {
    auto source = std::make_shared<MemoryTableSource>();
    const auto text = [](const char* t) { return t ? Cell(QString(t)) : Cell(nullptr); };
    source->add({"Customers",
                 {{"CustomerID", adVarWChar, 0}, {"Name", adVarWChar, 0}, {"City", adVarWChar, 0}}},
                {{text("A"), text("Ann"), text("Berlin")},
                 {text("B"), text("Bob"), text("Paris")},
                 {text("C"), text("Ann"), text("Berlin")},
                 {text("D"), text("Dora"), text("Rome")}});
    source->add({"Orders",
                 {{"OrderID", adInteger, 0},
                  {"CustomerID", adVarWChar, 0},
                  {"Amount", adCurrency, 0},
                  {"OrderDate", adDate, 0}}},
                {{std::int64_t(1), text("A"), Amount{1000}, date(1995, 1, 5)},
                 {std::int64_t(2), text("A"), Amount{2000}, date(1995, 6, 1)},
                 {std::int64_t(3), text("B"), Amount{2000}, date(1996, 2, 2)},
                 {std::int64_t(4), text("C"), Amount{7000}, date(1995, 12, 31)},
                 {std::int64_t(5), text("X"), Amount{500}, date(1995, 3, 3)}});
    source->add({"Lines", {{"OrderID", adInteger, 0}, {"Name", adVarWChar, 0}}},
                {{std::int64_t(1), text("Tea")},
                 {std::int64_t(1), text("Cake")},
                 {std::int64_t(4), text("Tea")}});
    return source;
}

class JoinTranslate : public ::testing::Test {
protected:
    JetProvider provider{shop(), {}};
    Engine& db = provider.engine();

    Rows rows(const QString& sql) { return rowsOf(provider, sql); }
    QStringList names(const QString& sql) {
        QStringList result;
        for (const ResultColumn& column : translate(sql, db).columns)
            result << column.name;
        return result;
    }
    QString failure(const QString& sql) {
        return test::failureOf([&] { rowsOf(provider, sql); });
    }
};

} // namespace

TEST_F(JoinTranslate, JoinsKeepTheRowsJetKeeps) {
    EXPECT_EQ(rows("SELECT Orders.OrderID, Customers.Name FROM Customers INNER JOIN Orders ON "
                   "Customers.CustomerID = Orders.CustomerID ORDER BY Orders.OrderID"),
              Rows({{"1", "Ann"}, {"2", "Ann"}, {"3", "Bob"}, {"4", "Ann"}}));
    EXPECT_EQ(rows("SELECT c.CustomerID, o.OrderID FROM Customers AS c LEFT JOIN Orders AS o ON "
                   "c.CustomerID = o.CustomerID WHERE o.OrderID Is Null"),
              Rows({{"D", "NULL"}}));
    EXPECT_EQ(rows("SELECT [Customers].[Name], OrderID FROM Customers RIGHT JOIN Orders ON "
                   "Customers.CustomerID = Orders.CustomerID WHERE Amount < 0.1"),
              Rows({{"NULL", "5"}}));
    // Joins nest in parentheses, the ON of each naming both its sides.
    EXPECT_EQ(rows("SELECT Count(*) FROM (Customers INNER JOIN Orders ON Customers.CustomerID = "
                   "Orders.CustomerID) INNER JOIN Lines ON Orders.OrderID = Lines.OrderID"),
              Rows({{"3"}}));
    // A list of sources is every combination of their rows.
    EXPECT_EQ(rows("SELECT Count(*) FROM Customers, Orders AS o, Lines"), Rows({{"60"}}));
    // Text compares without regard to case in ON too; sums of amounts stay exact.
    EXPECT_EQ(rows("SELECT City, Sum(Amount) FROM Customers INNER JOIN Orders ON "
                   "Customers.CustomerID = LCase(Orders.CustomerID) GROUP BY City ORDER BY City"),
              Rows({{"Berlin", "1"}, {"Paris", "0.2"}}));
}

TEST_F(JoinTranslate, ColumnsOfTheSameNameTakeTheirSourcesName) {
    EXPECT_EQ(names("SELECT Customers.Name, Lines.Name, Lines.Name AS Product, OrderDate FROM "
                    "(Customers INNER JOIN Orders ON Customers.CustomerID = Orders.CustomerID) "
                    "INNER JOIN Lines ON Orders.OrderID = Lines.OrderID"),
              QStringList({"Customers.Name", "Lines.Name", "Product", "OrderDate"}));
    EXPECT_EQ(names("SELECT c.*, Orders.* FROM Customers c INNER JOIN Orders ON c.CustomerID = "
                    "Orders.CustomerID"),
              QStringList({"c.CustomerID", "Name", "City", "OrderID", "Orders.CustomerID", "Amount",
                           "OrderDate"}));
    // A saved query's table cannot hold two columns of one name.
    EXPECT_EQ(
        test::failureOf([&] { translateView("SELECT OrderID AS X, Amount AS x FROM Orders", db); }),
        "Duplicate output alias 'x'.");
}

TEST_F(JoinTranslate, NamesMustBelongToOneSource) {
    EXPECT_EQ(failure("SELECT Name FROM Customers INNER JOIN Lines ON Name = Lines.Name"),
              "The specified field 'Name' could refer to more than one table listed in the FROM "
              "clause of your SQL statement.");
    EXPECT_EQ(failure("SELECT Nope FROM Customers, Orders"),
              "Unknown column 'Nope' in tables 'Customers', 'Orders'.");
    EXPECT_EQ(failure("SELECT Orders.Name FROM Customers, Orders"),
              "Unknown column 'Orders.Name' in tables 'Customers', 'Orders'.");
    EXPECT_EQ(failure("SELECT Shops.* FROM Customers, Orders"),
              "The database engine cannot find the input table or query 'Shops'. Make sure it "
              "exists and that its name is spelled correctly.");
    EXPECT_EQ(failure("SELECT * FROM Customers INNER JOIN Shops ON 1 = 1"),
              "The database engine cannot find the input table or query 'Shops'. Make sure it "
              "exists and that its name is spelled correctly.");
}

TEST_F(JoinTranslate, DistinctRowKeepsEachRowOfTheTablesTheOutputReads) {
    const QString join =
        " FROM Customers INNER JOIN Orders ON Customers.CustomerID = Orders.CustomerID";
    // Only Customers is read: each customer with orders once, the two Anns both.
    EXPECT_EQ(rows("SELECT DISTINCTROW Name" + join + " ORDER BY Name"),
              Rows({{"Ann"}, {"Ann"}, {"Bob"}}));
    EXPECT_EQ(rows("SELECT DISTINCT Name" + join + " ORDER BY Name"), Rows({{"Ann"}, {"Bob"}}));
    EXPECT_EQ(rows("SELECT DISTINCTROW Customers.*" + join).size(), 3);
    // Reading every table, or grouping, it changes nothing.
    EXPECT_EQ(rows("SELECT DISTINCTROW Name, Amount" + join).size(), 4);
    EXPECT_EQ(rows("SELECT DISTINCTROW Name & OrderID" + join).size(), 4);
    EXPECT_EQ(rows("SELECT DISTINCTROW Name, Count(*)" + join + " GROUP BY Name"),
              Rows({{"Ann", "3"}, {"Bob", "1"}}));
    EXPECT_EQ(rows("SELECT DISTINCTROW CustomerID FROM Orders").size(), 5);
}

TEST_F(JoinTranslate, TopKeepsTheFirstRowsAndTheirTies) {
    Rows tied = rows("SELECT TOP 2 OrderID, Amount FROM Orders ORDER BY Amount DESC");
    ASSERT_EQ(tied.size(), 3);
    EXPECT_EQ(tied[0], QStringList({"4", "0.7"}));
    std::sort(tied.begin(), tied.end());
    EXPECT_EQ(tied, Rows({{"2", "0.2"}, {"3", "0.2"}, {"4", "0.7"}}));
    EXPECT_EQ(rows("SELECT TOP 1 OrderID FROM Orders ORDER BY Amount, OrderID DESC"),
              Rows({{"5"}}));
    EXPECT_EQ(rows("SELECT TOP 40 PERCENT OrderID FROM Orders ORDER BY OrderID DESC"),
              Rows({{"5"}, {"4"}}));
    EXPECT_EQ(rows("SELECT TOP 41 PERCENT OrderID FROM Orders ORDER BY OrderID DESC").size(), 3);
    EXPECT_EQ(rows("SELECT TOP 3 * FROM Orders").size(), 3);
    EXPECT_EQ(rows("SELECT DISTINCT TOP 1 CustomerID FROM Orders ORDER BY CustomerID"),
              Rows({{"A"}}));
    EXPECT_EQ(names("SELECT TOP 1 OrderID, OrderID FROM Orders ORDER BY 1"),
              QStringList({"OrderID", "OrderID"}));
}

TEST_F(JoinTranslate, SubqueriesGiveAValueOrTheValuesToLookIn) {
    EXPECT_EQ(rows("SELECT OrderID FROM Orders WHERE Amount > (SELECT Avg(Amount) FROM Orders) "
                   "ORDER BY OrderID"),
              Rows({{"4"}}));
    EXPECT_EQ(rows("SELECT Name FROM Customers WHERE CustomerID Not In (SELECT CustomerID FROM "
                   "Orders)"),
              Rows({{"Dora"}}));
    // A subquery sees the statement around it, even the same table under its own name.
    EXPECT_EQ(rows("SELECT CustomerID, (SELECT Count(*) FROM Orders WHERE Orders.CustomerID = "
                   "Customers.CustomerID) AS N FROM Customers ORDER BY CustomerID"),
              Rows({{"A", "2"}, {"B", "1"}, {"C", "1"}, {"D", "0"}}));
    EXPECT_EQ(rows("SELECT OrderID FROM Orders WHERE Amount = (SELECT Max(o.Amount) FROM Orders "
                   "AS o WHERE o.CustomerID = Orders.CustomerID) AND CustomerID = 'a'"),
              Rows({{"2"}}));
    EXPECT_EQ(
        translate("SELECT (SELECT Sum(Amount) FROM Orders) FROM Customers", db).columns[0].adoType,
        adCurrency);
    EXPECT_TRUE(failure("SELECT Name FROM Customers WHERE 1 = (SELECT 1, 2 FROM Orders)")
                    .startsWith("You have written a subquery that can return more than one "
                                "field"));
}
