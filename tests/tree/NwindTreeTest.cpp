#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/access/AccessFixtures.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

using test::access::accessFixture;

namespace {

// The Orders table of the sample database, grouped by chosen columns down to the last one.
class NwindTree : public test::access::WithAccessFixtures {
protected:
    void checkTree(const QStringList& order, const QString& dateGroup) {
        auto connection = std::make_shared<data::Connection>();
        connection->Open(data::accessConnectionString(accessFixture("nwind.mdb")));
        test::TreeInvariant tree(connection, "[Orders]", data::JetProvider);
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
