// The grouping tree's statements and conditions in the Oracle dialect, run on the test server.
#include "data/Dialect.h"
#include "server/ServerConnection.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

TEST(TreeDrill, EveryNodeOfTheServerTableSelectsItsOwnRows) {
    test::TreeInvariant tree(test::server::connectToServer(), "SALES.ORDERS",
                             data::Dialect::Oracle);
    EXPECT_GT(tree.check({"REGION", "PAID", "AMOUNT"}, "Year"), 0);
    EXPECT_GT(tree.check({"ORDERED", "CUSTOMER", "QUANTITY"}, "Quarter"), 0);
    EXPECT_GT(tree.check({"ORDERED", "REGION"}, "Month"), 0);
    EXPECT_GT(tree.check({"QUANTITY", "ORDERED"}, "Day"), 0);
}
