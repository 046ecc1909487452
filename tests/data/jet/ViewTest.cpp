// Saved queries of a source as the engine's views: opened once when a statement first names
// them, read like tables by the program's statements, nested in each other, and refused with a
// description that names the query and what is not supported.
#include "data/AdoTypes.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "support/DataFailure.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;
using Rows = QList<QStringList>;

namespace {

// Sales with amounts that add up exactly only as currency, and saved queries over them.
std::shared_ptr<MemoryTableSource> salesWithQueries() {
    auto source = std::make_shared<MemoryTableSource>();
    const auto text = [](const char* t) { return Cell(QString(t)); };
    source->add({"Sales",
                 {{"SaleID", adInteger, 0},
                  {"Region", adVarWChar, 0},
                  {"Amount", adCurrency, 0},
                  {"Sold", adDate, 0}}},
                {{std::int64_t(1), text("North"), Amount{1000}, date(2001, 1, 5)},
                 {std::int64_t(2), text("north"), Amount{2000}, date(2001, 2, 1)},
                 {std::int64_t(3), text("South"), Amount{1000}, date(2002, 3, 3)},
                 {std::int64_t(4), text("East"), Amount{70000}, nullptr}});
    source->add({"Regions", {{"Region", adVarWChar, 0}, {"Manager", adVarWChar, 0}}},
                {{text("NORTH"), text("Nina")}, {text("South"), text("Sam")}});
    source->addView("Big Sales", "SELECT DISTINCTROW Sales.SaleID, Sales.Region, Sales.Amount, "
                                 "Sales.Sold\nFROM [Sales]\nWHERE (((Sales.Amount)>0.15))\n"
                                 "ORDER BY Sales.Amount DESC;");
    source->addView("Managed", "SELECT Sales.*, Regions.Manager, CCur([Amount]*3) AS Triple, "
                               "Format([Sold],\"yyyy\") AS [Year] FROM [Regions] INNER JOIN "
                               "[Sales] ON Regions.Region = Sales.Region;");
    source->addView("By Manager", "SELECT Manager, Sum(Triple) AS Total, Count(*) AS Sales "
                                  "FROM [Managed] GROUP BY Manager ORDER BY Manager;");
    return source;
}

class Views : public ::testing::Test {
protected:
    std::shared_ptr<MemoryTableSource> source = salesWithQueries();
    JetProvider provider{source, {}};

    Rows rows(const QString& sql) { return rowsOf(provider, sql); }
    QString failure(const QString& sql) {
        return test::failureOf([&] { rowsOf(provider, sql); });
    }
};

} // namespace

TEST_F(Views, WhatTheEngineCannotAnswerIsNamedWithTheQueryAndNestingEnds) {
    source->addView("Crosstab", {},
                    "The query \"Crosstab\" is a crosstab query, which is not "
                    "supported.");
    source->addView("Asks", "SELECT * FROM Sales WHERE SaleID = [Which sale?]");
    source->addView("Calls", "SELECT Foo(Region) FROM Sales");
    source->addView("Misses", "SELECT * FROM Sales INNER JOIN Gone ON Sales.SaleID = Gone.ID");
    source->addView("Broken", "SELECT * FROM Sales WHERE SaleID =");
    source->addView("Reads Calls", "SELECT * FROM [Managed], [Calls]");
    source->addView("Reads Crosstab", "SELECT * FROM [Reads Calls] WHERE 1 = 0 UNION ALL "
                                      "SELECT * FROM Crosstab");
    EXPECT_EQ(failure("SELECT * FROM [Crosstab]"),
              "The query \"Crosstab\" is a crosstab query, which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Asks]"),
              "The query \"Asks\" asks for the parameter [Which sale?], which is not supported.");
    EXPECT_EQ(failure("Select * From [Calls] Where 1 = 0"),
              "The query \"Calls\" uses the function Foo, which is not supported.");
    EXPECT_EQ(failure("SELECT COUNT(*) FROM [Misses]"),
              "The query \"Misses\" reads \"Gone\", which is neither a table nor a query of the "
              "database.");
    EXPECT_EQ(failure("SELECT * FROM [Broken]"),
              "The query \"Broken\" cannot be opened: Syntax error (missing operator) in query "
              "expression 'SaleID ='.");
    EXPECT_EQ(failure("SELECT * FROM [Reads Calls]"),
              "The query \"Reads Calls\" reads the query \"Calls\", which cannot be opened. The "
              "query \"Calls\" uses the function Foo, which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Reads Crosstab]"),
              "The query \"Reads Crosstab\" cannot be opened: Syntax error (missing operator) "
              "in query expression '1 = 0'.");
    // Each failure leaves the engine as it was: it answers what it can, and fails again.
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [Managed]"), Rows({{"3"}}));
    EXPECT_EQ(failure("SELECT * FROM [Calls]"),
              "The query \"Calls\" uses the function Foo, which is not supported.");

    // Nesting ends at a loop or too deep.
    source->addView("Self", "SELECT * FROM [self]");
    source->addView("Ping", "SELECT * FROM [Pong]");
    source->addView("Pong", "SELECT * FROM [Pang]");
    source->addView("Pang", "SELECT * FROM [Ping]");
    source->addView("Above Ping", "SELECT * FROM [Ping]");
    EXPECT_EQ(failure("SELECT * FROM [Self]"),
              "The query \"Self\" reads itself, which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Ping]"),
              "The query \"Ping\" reads itself in a loop (\"Ping\" reads \"Pong\", which reads "
              "\"Pang\", which reads \"Ping\"), which is not supported.");
    EXPECT_EQ(failure("SELECT * FROM [Above Ping]"),
              "The query \"Above Ping\" reads the query \"Ping\", which cannot be opened. The "
              "query \"Ping\" reads itself in a loop (\"Ping\" reads \"Pong\", which reads "
              "\"Pang\", which reads \"Ping\"), which is not supported.");

    // Queries reading queries as deep as the bound open; one more level does not.
    for (int level = 1; level <= Engine::MostViewsNested + 1; ++level)
        source->addView(QString("Level %1").arg(level),
                        level == 1 ? "SELECT SaleID FROM Sales"
                                   : QString("SELECT * FROM [Level %1]").arg(level - 1));
    EXPECT_EQ(rows(QString("SELECT COUNT(*) FROM [Level %1]").arg(Engine::MostViewsNested)),
              Rows({{"4"}}));
    JetProvider fresh{source, {}};
    EXPECT_EQ(test::failureOf([&] {
                  rowsOf(fresh,
                         QString("SELECT * FROM [Level %1]").arg(Engine::MostViewsNested + 1));
              }),
              QString("The query \"Level %1\" reads queries nested more than %2 deep, which is "
                      "not supported.")
                  .arg(Engine::MostViewsNested + 1)
                  .arg(Engine::MostViewsNested));
}
