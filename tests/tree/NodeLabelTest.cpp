#include "tree/NodeLabel.h"

#include "LocaleScope.h"
#include "data/AdoTypes.h"

#include <gtest/gtest.h>

using namespace tree;

namespace {

Figures withStatistics(QVariant count, QVariant min, QVariant max, QVariant avg, QVariant sum) {
    return Figures{count, true, min, max, avg, sum};
}

} // namespace

TEST(NodeLabel, LabelsUnderTwoRegions) {
    const Figures figures = withStatistics(qlonglong(1204), 3.0, 950.0, 120.5, 145082.0);
    {
        test::LocaleScope american(test::UnitedStates);
        EXPECT_EQ(groupLabel("North", figures),
                  "North (1,204; Min: 3.00; Max: 950.00; Avg: 120.50; Sum: 145,082.00)");
        EXPECT_EQ(rootLabel(Figures{qlonglong(1234)}), "Quarrymere (1,234)");
        EXPECT_EQ(groupLabel(groupValueText(2.5, data::ado::adDouble), Figures{7}), "2.5 (7)");
    }
    test::LocaleScope german(test::Germany);
    EXPECT_EQ(groupLabel("North", figures),
              "North (1.204; Min: 3,00; Max: 950,00; Avg: 120,50; Sum: 145.082,00)");
    EXPECT_EQ(groupLabel(groupValueText(2.5, data::ado::adDouble), Figures{7}), "2,5 (7)");
}

TEST(NodeLabel, NegativeAndNullStatistics) {
    const Figures negative = withStatistics(2, -4.5, -1.0, -2.75, -5.5);
    EXPECT_EQ(nullLabel(negative, {test::UnitedStates}),
              "<<NULL>> (2; Min: -4.50; Max: -1.00; Avg: -2.75; Sum: -5.50)");
    EXPECT_EQ(rootLabel(negative, {test::Germany, NegativeStyle::Parentheses}),
              "Quarrymere (2; Min: (4,50); Max: (1,00); Avg: (2,75); Sum: (5,50))");
    // A group whose next column is all null still gets its label.
    const Figures empty = withStatistics(3, QVariant(), QVariant(), QVariant(), QVariant());
    EXPECT_EQ(groupLabel("A", empty, {test::UnitedStates}), "A (3; Min: ; Max: ; Avg: ; Sum: )");
}

TEST(NodeLabel, BooleanGroupsReadTrueOrFalseInEveryRegion) {
    test::LocaleScope german(test::Germany);
    EXPECT_EQ(groupValueText(true, data::ado::adBoolean), "True");
    EXPECT_EQ(groupValueText(false, data::ado::adBoolean), "False");
    EXPECT_EQ(groupValueText(-1, data::ado::adBoolean), "True");
    EXPECT_EQ(groupValueText(0, data::ado::adBoolean), "False");
    EXPECT_EQ(groupValueText("Bon app'", data::ado::adVarWChar), "Bon app'");
}
