// Labels under two regions, with negative and null statistics, are checked where whole levels are
// read (HardValuesTreeTest, GroupingModelTest); here only what those never meet.
#include "tree/NodeLabel.h"

#include "LocaleScope.h"
#include "data/AdoTypes.h"

#include <gtest/gtest.h>

using namespace tree;

TEST(NodeLabel, BooleanGroupsReadTrueOrFalseInEveryRegion) {
    test::LocaleScope german(test::Germany);
    EXPECT_EQ(groupValueText(true, data::ado::adBoolean), "True");
    EXPECT_EQ(groupValueText(false, data::ado::adBoolean), "False");
    EXPECT_EQ(groupValueText(-1, data::ado::adBoolean), "True");
    EXPECT_EQ(groupValueText(0, data::ado::adBoolean), "False");
}
