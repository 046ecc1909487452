// What the reader makes of the shared sample databases: their tables, column types and values.
#include "AccessFixtures.h"
#include "LoadedTable.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "support/FileCopies.h"

#include <map>
#include <set>

using data::access::AccessFile;
using data::jet::DateTimeParts;
using namespace test::access;

namespace {

class AccessFileContent : public WithAccessFixtures {};

TEST_F(AccessFileContent, CountsEveryLiveRowOnce) {
    AccessFile nwind(accessFixture("nwind.mdb"));
    EXPECT_EQ(loadTable(nwind, "Order Details").rows.size(), 2155u);
    EXPECT_EQ(loadTable(nwind, "Products").rows.size(), 77u);

    // MSysObjects holds rows that grew and moved to other pages: each object comes once.
    const LoadedTable objects = loadTable(nwind, "MSysObjects");
    std::set<std::int64_t> ids;
    for (const Row& row : objects.rows)
        ids.insert(std::get<std::int64_t>(objects.value(row, "Id")));
    EXPECT_EQ(objects.rows.size(), 106u);
    EXPECT_EQ(ids.size(), objects.rows.size());
}

TEST_F(AccessFileContent, SkipsRowsMarkedDeleted) {
    // Mark the first row on the first data page of Orders (definition on page 449) deleted.
    QByteArray copy = test::contentsOf(accessFixture("nwind.mdb"));
    constexpr int PageSize = 2048, RowCountOffset = 8, OrdersPage = 449;
    const auto word = [&](qsizetype at) {
        return static_cast<unsigned char>(copy[at]) | static_cast<unsigned char>(copy[at + 1]) << 8;
    };
    qsizetype page = 0;
    while (page < copy.size() &&
           !(copy[page] == 1 && word(page + 4) == OrdersPage && word(page + 6) == 0))
        page += PageSize;
    ASSERT_LT(page, copy.size());
    copy[page + RowCountOffset + 3] = static_cast<char>(copy[page + RowCountOffset + 3] | 0x80);
    QTemporaryDir dir;
    AccessFile nwind(accessFixture("nwind.mdb"));
    AccessFile edited(test::writeFile(dir, "deleted.mdb", copy));
    const LoadedTable before = loadTable(nwind, "Orders");
    const LoadedTable after = loadTable(edited, "Orders");
    ASSERT_EQ(after.rows.size(), before.rows.size() - 1);
    EXPECT_EQ(std::vector<Row>(before.rows.begin() + 1, before.rows.end()), after.rows);
}

TEST_F(AccessFileContent, ListsTablesWithTheirKindsAndFindsThemWhateverTheirCase) {
    AccessFile nwind(accessFixture("nwind.mdb"));
    std::map<QString, QString> kinds;
    QStringList names;
    for (const auto& entry : nwind.tableEntries()) {
        kinds[entry.name] = entry.type;
        names.append(entry.name);
    }
    EXPECT_EQ(nwind.tableNames(), names);
    EXPECT_EQ(kinds[QStringLiteral("Umsätze")], "TABLE");
    EXPECT_EQ(kinds["MSysObjects"], "SYSTEM TABLE");
    EXPECT_EQ(kinds["MSysAccessObjects"], "ACCESS TABLE");
    EXPECT_EQ(kinds.size(), 19u); // the nine user tables, Access's and the engine's own

    EXPECT_EQ(nwind.describe(QStringLiteral("UMSÄTZE"))->name, QStringLiteral("Umsätze"));
    EXPECT_EQ(nwind.describe("order details")->name, "Order Details");
    EXPECT_FALSE(nwind.describe("Invoices").has_value());
    RecordingSink sink;
    EXPECT_THROW(nwind.load("Invoices", sink), data::Error);
}

class EveryTypeTable : public AccessFileContent, public ::testing::WithParamInterface<QString> {};

TEST_P(EveryTypeTable, HoldsEachTypeWithItsCodeAndExactValue) {
    AccessFile file(accessFixture(GetParam()));
    const LoadedTable table = loadTable(file, "Table1");
    EXPECT_EQ(table.names(), QStringList({"A", "B", "C", "D", "E", "F", "G", "H", "I"}));
    EXPECT_EQ(table.types(), (std::vector<int>{202, 202, 17, 2, 3, 5, 7, 6, 11}));

    const Row& full = table.rowWhere("A", QString("abcdefg"));
    EXPECT_EQ(table.value(full, "B"), Value(QString("hijklmnop")));
    EXPECT_EQ(table.value(full, "C"), Value(std::int64_t{2}));
    EXPECT_EQ(table.value(full, "D"), Value(std::int64_t{222}));
    EXPECT_EQ(table.value(full, "E"), Value(std::int64_t{333333333}));
    EXPECT_EQ(table.value(full, "F"), Value(444.555));
    EXPECT_EQ(table.value(full, "G"), Value(DateTimeParts{1974, 9, 21, 0, 0, 0}));
    EXPECT_EQ(table.value(full, "H"), Value(Currency{35000}));
    EXPECT_EQ(table.value(full, "I"), Value(true));

    const Row& small = table.rowWhere("A", QString("a"));
    EXPECT_EQ(table.value(small, "B"), Value(QString("b")));
    EXPECT_EQ(table.value(small, "F"), Value(0.0));
    EXPECT_EQ(table.value(small, "G"), Value(DateTimeParts{1981, 12, 12, 0, 0, 0}));
    EXPECT_EQ(table.value(small, "H"), Value(Currency{0}));
    EXPECT_EQ(table.value(small, "I"), Value(false));

    const auto wide = file.describe("Table2").value();
    EXPECT_EQ(wide.columns.size(), 89u);
    EXPECT_EQ(wide.columns.back().name, "column89");
}

INSTANTIATE_TEST_SUITE_P(Jet3AndJet4, EveryTypeTable,
                         ::testing::Values(QString("testV1997.mdb"), QString("testV2000.mdb")));

TEST_F(AccessFileContent, KeepsTextNullsAndMoneyOfNorthwindOrders) {
    AccessFile nwind(accessFixture("nwind.mdb"));
    const LoadedTable orders = loadTable(nwind, "Orders");
    EXPECT_EQ(orders.definition.columns[orders.column("Freight")].adoType, data::ado::adCurrency);
    EXPECT_EQ(orders.definition.columns[orders.column("OrderDate")].adoType, data::ado::adDate);

    const Row& bonApp = orders.rowWhere("OrderID", std::int64_t{10331});
    EXPECT_EQ(orders.value(bonApp, "ShipName"), Value(QString("Bon app'")));
    EXPECT_EQ(orders.value(bonApp, "ShipRegion"), Value(Null{}));
    EXPECT_EQ(orders.value(bonApp, "Freight"), Value(Currency{101900}));
    EXPECT_EQ(orders.value(bonApp, "OrderDate"), Value(DateTimeParts{1994, 11, 16, 0, 0, 0}));

    const Row& canada = orders.rowWhere("OrderID", std::int64_t{10332});
    EXPECT_EQ(orders.value(canada, "ShipName"), Value(QStringLiteral("Mère Paillarde")));
    EXPECT_EQ(orders.value(canada, "ShipCity"), Value(QStringLiteral("Montréal")));

    // Jet 3 keeps names and text in the file's code page.
    const LoadedTable sales = loadTable(nwind, QStringLiteral("Umsätze"));
    EXPECT_EQ(sales.rows.size(), 830u);
    EXPECT_EQ(sales.value(sales.rowWhere("OrderID", std::int64_t{10345}), "ShipAddress"),
              Value(QStringLiteral("Taucherstraße 10")));
}

TEST_F(AccessFileContent, ReadsOleObjectsAndLongValuesWhole) {
    AccessFile nwind(accessFixture("nwind.mdb"));
    const LoadedTable categories = loadTable(nwind, "Categories");
    EXPECT_EQ(categories.definition.columns[categories.column("Picture")].adoType,
              data::ado::adLongVarBinary);
    EXPECT_EQ(categories.definition.columns[categories.column("Description")].adoType,
              data::ado::adLongVarWChar);
    for (const Row& row : categories.rows) {
        const auto& picture = std::get<QByteArray>(categories.value(row, "Picture"));
        EXPECT_GT(picture.size(), 10000);
    }
    EXPECT_EQ(categories.value(categories.rowWhere("CategoryID", std::int64_t{1}), "Description"),
              Value(QString("Soft drinks, coffees, teas, beers, and ales")));

    // Values far beyond libmdb's bind buffer, spread over chains of pages.
    const LoadedTable modules = loadTable(nwind, "MSysModules2");
    qsizetype longest = 0;
    for (const Row& row : modules.rows)
        if (const auto* form = std::get_if<QByteArray>(&modules.value(row, "Form")))
            longest = std::max(longest, form->size());
    EXPECT_EQ(longest, 118377);
}

TEST_F(AccessFileContent, KeepsNumericColumnsExact) {
    AccessFile file(accessFixture("fixedNumericTestV2000.mdb"));
    const LoadedTable test = loadTable(file, "test");
    ASSERT_EQ(test.rows.size(), 1u);
    const Row& row = test.rows.front();
    EXPECT_EQ(test.value(row, "col1"), Value(QString("some data")));
    const std::vector<std::int64_t> expected{1, 0, 0, 4, -1, 1};
    for (int i = 0; i < 6; ++i) {
        const QString name = QString("col%1").arg(i + 2);
        const auto& column = test.definition.columns[test.column(name)];
        EXPECT_EQ(column.adoType, data::ado::adNumeric);
        EXPECT_EQ(column.scale, 0);
        EXPECT_EQ(test.value(row, name), Value(expected[static_cast<std::size_t>(i)]));
    }
}

TEST_F(AccessFileContent, ReadsDatesAcrossJetsWholeRange) {
    AccessFile file(accessFixture("DateTestDatabase.mdb"));
    const LoadedTable dates = loadTable(file, "DateTest");
    const auto at = [&](std::int64_t id, const char* column) {
        return dates.value(dates.rowWhere("IDCol", id), column);
    };
    EXPECT_EQ(at(1, "DateTimeCol"), Value(DateTimeParts{2021, 12, 2, 0, 0, 0}));
    EXPECT_EQ(at(2, "DateCol"), Value(DateTimeParts{9999, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(3, "DateTimeCol"), Value(DateTimeParts{1898, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(3, "DateCol"), Value(DateTimeParts{1899, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(3, "TimeCol"), Value(DateTimeParts{1900, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(4, "DateTimeCol"), Value(DateTimeParts{632, 1, 1, 0, 0, 0}));
    EXPECT_EQ(at(6, "LongTextCol"), Value(QString("New line\r\nin field")));
}

} // namespace
