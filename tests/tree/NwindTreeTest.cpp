// The grouping tree over tables of the sample database, read by the program's own file reader,
// grouped by chosen columns down to the last one.
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/access/AccessFixtures.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

using NwindTree = test::access::WithAccessFixtures;

TEST_F(NwindTree, EveryNodeSelectsExactlyItsOwnRows) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
    const struct {
        const char* table;
        QStringList order;
        const char* dateGroup;
    } trees[] = {
        // Texts with nulls above a year level of a date with nulls, over currency amounts.
        {"[Orders]", {"ShipCountry", "ShipRegion", "ShippedDate", "Freight"}, "Year"},
        // Small whole numbers above months.
        {"[Orders]", {"ShipVia", "OrderDate", "EmployeeID"}, "Month"},
        // Discounts are Single values that no decimal text writes exactly; prices are currency.
        {"[Order Details]", {"Discount", "Quantity", "UnitPrice"}, "None"},
        {"[Products]", {"Discontinued", "UnitPrice", "UnitsInStock"}, "None"},
    };
    for (const auto& t : trees) {
        SCOPED_TRACE(t.table);
        test::TreeInvariant tree(connection, t.table, data::Dialect::Jet);
        EXPECT_GT(tree.check(t.order, t.dateGroup), 0);
    }
}
