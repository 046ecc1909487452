// The saved queries of an Access file: read from MSysQueries and written back as Jet SQL, listed
// as views, each select query answered by the engine with the rows its tables give, and the
// others refused with a description.
#include "AccessFixtures.h"
#include "data/access/AccessFile.h"
#include "data/access/QuerySql.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "support/DataFailure.h"
#include "support/FileCopies.h"

#include <QTemporaryDir>

using data::access::AccessFile;
using data::access::QueryRow;
using data::access::queryView;
using data::access::SavedQuery;
using data::jet::JetProvider;
using namespace test::access;

namespace {

class NwindQueries : public WithAccessFixtures {
protected:
    std::shared_ptr<AccessFile> file = std::make_shared<AccessFile>(accessFixture("nwind.mdb"));
    JetProvider provider{file, [this] { return file->tableEntries(); }};

    // SELECT COUNT(*) FROM [query], as the tree's root counts the record source.
    qlonglong rootCount(const QString& query) {
        return data::jet::testing::rowsOf(provider, "SELECT COUNT(*) FROM [" + query + "]")
            .value(0)
            .value(0)
            .toLongLong();
    }
    QString failure(const QString& sql) {
        return test::failureOf([&] { data::jet::testing::rowsOf(provider, sql); });
    }
};

// A query's definition from rows of MSysQueries: attribute, Name1, Name2, Expression, Flag.
SavedQuery query(std::uint32_t flags, std::vector<QueryRow> rows) {
    return {QStringLiteral("Q"), flags, std::move(rows)};
}
QueryRow row(int attribute, const char* name1, const char* name2, const char* expression,
             std::optional<std::int64_t> flag = std::nullopt) {
    return {attribute, name1, name2, expression, flag};
}

} // namespace

// Each select query's root count, as SQL written by hand over the query's tables counts its rows
// (the customers that ordered in 1995 once each, for the DISTINCTROW of Quarterly Orders; orders
// with details, as the inner join with Order Subtotals keeps them). The root counts of the
// queries drilled in DrillTest are checked there.
TEST_F(NwindQueries, EachSelectQueryCountsTheRowsItsTablesGive) {
    const std::pair<const char*, qlonglong> cases[] = {
        {"Alphabetical List of Products", 69},
        {"Catalog", 69},
        {"Invoices", 2155},
        {"Order Details Extended", 2155},
        {"Order Subtotals", 830},
        {"Orders Qry", 830},
        {"Product Sales for 1995", 77},
        {"Products Above Average Price", 25},
        {"Quarterly Orders", 84},
        {"Sales by Category", 77},
        {"Sales Totals by Amount", 61},
        {"Summary of Sales by Quarter", 809},
        {"Summary of Sales by Year", 809},
    };
    for (const auto& [query, rows] : cases)
        EXPECT_EQ(rootCount(query), rows) << query;
}

TEST_F(NwindQueries, KeepTheValuesAndNamesAccessGivesAndTheOthersSayWhatIsNotSupported) {
    const auto rows = [&](const QString& sql) { return data::jet::testing::rowsOf(provider, sql); };
    EXPECT_EQ(rows("SELECT [Subtotal] FROM [Order Subtotals] WHERE [OrderID] = 10248"),
              QList<QStringList>({{"440"}}));
    EXPECT_EQ(rows("SELECT * FROM [Ten Most Expensive Products]").value(0),
              QStringList({"Côte de Blaye", "263.5"}));
    // The two CompanyName columns of Invoices are named after their tables.
    const QStringList columns =
        data::jet::testing::columnsOf(provider, "Select * From [Invoices] Where 1 = 0");
    EXPECT_EQ(columns.filter("CompanyName:"),
              QStringList({"Customers.CompanyName:202", "Shippers.CompanyName:202"}));
    EXPECT_TRUE(columns.contains("ExtendedPrice:6")); // adCurrency
    // The details of the orders Speedy Express shipped.
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [Invoices] WHERE [Shippers.CompanyName] = 'Speedy "
                   "Express'"),
              QList<QStringList>({{"646"}}));

    // The queries the engine cannot answer say what is not supported.
    const std::pair<const char*, const char*> cases[] = {
        {"Customers and Suppliers by City",
         "The query \"Customers and Suppliers by City\" is a union query, which is not "
         "supported."},
        {"Employee Sales by Country",
         "The query \"Employee Sales by Country\" asks for parameters, which are not supported."},
        {"Invoices Filter", "The query \"Invoices Filter\" asks for the parameter "
                            "[Forms]![Orders]![OrderID], which is not supported."},
        {"Quarterly Orders by Product",
         "The query \"Quarterly Orders by Product\" is a crosstab query, which is not supported."},
    };
    for (const auto& [name, message] : cases) {
        EXPECT_EQ(failure(QStringLiteral("Select * From [%1] Where 1 = 0").arg(name)), message);
        EXPECT_EQ(failure(QStringLiteral("SELECT COUNT(*) FROM [%1]").arg(name)), message);
    }
}

// MSysQueries is read through the same checks as any table: a definition that is not there
// is damage, reported when the file is opened.
TEST_F(NwindQueries, AQueryCatalogThatCannotBeReadIsDamage) {
    QByteArray copy = test::contentsOf(accessFixture("nwind.mdb"));
    constexpr int PageSize = 2048, QueriesDefinitionPage = 4, DataPage = 1;
    copy[QueriesDefinitionPage * PageSize] = DataPage;
    QTemporaryDir dir;
    const QString path = test::writeFile(dir, "queries.mdb", copy);
    EXPECT_EQ(test::failureOf([&] { AccessFile damaged(path); }),
              QString("The database '%1' is damaged and cannot be read: its list of queries "
                      "cannot be read (the definition of table 'MSysQueries' is garbled).")
                  .arg(path));
}

TEST(QuerySql, WritesTheSelectFromItsRows) {
    const SavedQuery q = query(
        0, {row(1, "", "", "", 1), row(3, "5", "", "", 0x01 | 0x02 | 0x10 | 0x20),
            row(5, "A", "", ""), row(5, "B", "b", ""), row(5, "C", "", ""), row(5, "D", "", ""),
            row(6, "", "", "A.x"), row(6, "Total", "", "Sum(b.y)"),
            row(7, "A", "b", "A.k = b.k", 2), row(7, "b", "C", "b.m = C.m", 1),
            row(7, "A", "C", "A.n = C.n", 1), row(8, "", "", "A.x > 1"), row(9, "", "", "A.x"),
            row(10, "", "", "Sum(b.y) > 2"), row(11, "D", "", "A.x"), row(11, "", "", "2")});
    EXPECT_EQ(queryView(q).sql, "SELECT DISTINCT TOP 5 PERCENT *, A.x, Sum(b.y) AS [Total]\n"
                                "FROM [D], ([A] LEFT JOIN [B] AS [b] ON A.k = b.k) INNER JOIN "
                                "[C] ON ((b.m = C.m) AND (A.n = C.n))\n"
                                "WHERE A.x > 1\nGROUP BY A.x\nHAVING Sum(b.y) > 2\n"
                                "ORDER BY A.x DESC, 2;");
    EXPECT_TRUE(queryView(q).unsupported.isEmpty());
    // Two joins of different kinds between the same sources cannot be written.
    EXPECT_EQ(
        queryView(query(0, {row(5, "A", "", ""), row(5, "B", "", ""),
                            row(7, "A", "B", "A.k = B.k", 1), row(7, "B", "A", "B.m = A.m", 2)}))
            .unsupported,
        "The query \"Q\" joins its tables in a way Jet SQL cannot write, which is not "
        "supported.");
    EXPECT_EQ(queryView(query(0, {row(5, "A", "", "")})).sql, "SELECT *\nFROM [A];");
}
