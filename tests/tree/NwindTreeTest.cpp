#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/access/AccessFixtures.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

using test::access::accessFixture;

namespace {

// Tables of the sample database, grouped by chosen columns down to the last one.
class NwindTree : public test::access::WithAccessFixtures {
protected:
    void checkTree(const QStringList& order, const QString& dateGroup,
                   const QString& table = "[Orders]") {
        auto connection = std::make_shared<data::Connection>();
        connection->Open(data::accessConnectionString(accessFixture("nwind.mdb")));
        test::TreeInvariant tree(connection, table, data::JetProvider);
        EXPECT_GT(tree.check(order, dateGroup), 0);
    }
};

} // namespace

TEST_F(NwindTree, TextColumnsWithNullsAboveAYearLevel) {
    checkTree({"ShipCountry", "ShipRegion", "OrderDate", "Freight"}, "Year");
}

TEST_F(NwindTree, MonthsAboveNumbers) {
    checkTree({"OrderDate", "EmployeeID", "ShipVia", "Freight"}, "Month");
}

TEST_F(NwindTree, QuartersOfADateWithNulls) {
    checkTree({"ShipVia", "ShippedDate", "ShipCountry"}, "Quarter");
}

TEST_F(NwindTree, WholeDatesAndFreightAmounts) {
    checkTree({"ShippedDate", "Freight"}, "None");
    checkTree({"Freight", "CustomerID"}, "None");
}

// Booleans, amounts and small counts of the product list.
TEST_F(NwindTree, ProductsByCategoryStockAndDiscontinuation) {
    checkTree({"CategoryID", "Discontinued", "UnitPrice", "UnitsInStock"}, "None", "[Products]");
    checkTree({"Discontinued", "SupplierID", "ReorderLevel", "UnitPrice"}, "None", "[Products]");
}

// The order lines: discounts are Single values that no decimal text writes exactly, prices
// are currency amounts.
TEST_F(NwindTree, OrderLinesByDiscountQuantityAndPrice) {
    checkTree({"Discount", "Quantity", "UnitPrice"}, "None", "[Order Details]");
    checkTree({"UnitPrice", "Discount"}, "None", "[Order Details]");
}
