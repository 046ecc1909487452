// Numbers as labels write them; the region's separators in whole labels are checked in
// NodeLabelTest.
#include "tree/NumberFormat.h"

#include "LocaleScope.h"

#include <gtest/gtest.h>
#include <limits>

using tree::FormatNumber;
using tree::NegativeStyle;

TEST(FormatNumber, RoundsKeepsEveryDigitOfCountsAndWritesNegativesInTheRegionsStyle) {
    EXPECT_EQ(FormatNumber(0.5, 2, test::UnitedStates), "0.50"); // leading zero
    EXPECT_EQ(FormatNumber(120.126, 2, test::Germany), "120,13");
    EXPECT_EQ(FormatNumber(qlonglong(3), 2, test::Germany), "3,00");
    // Counts beyond what a double holds keep every digit.
    EXPECT_EQ(FormatNumber(std::numeric_limits<qlonglong>::max(), 0, test::UnitedStates),
              "9,223,372,036,854,775,807");
    EXPECT_EQ(FormatNumber(std::numeric_limits<qlonglong>::min(), 0, test::UnitedStates),
              "-9,223,372,036,854,775,808");
    EXPECT_EQ(FormatNumber(-1234.5, 2, test::Germany), "-1.234,50");
    EXPECT_EQ(FormatNumber(qlonglong(-7), 0, test::Germany, NegativeStyle::Parentheses), "(7)");
    // A value that rounds to zero has no sign.
    EXPECT_EQ(FormatNumber(-0.001, 2, test::UnitedStates), "0.00");
    EXPECT_EQ(FormatNumber(-0.001, 2, test::UnitedStates, NegativeStyle::Parentheses), "0.00");
}

TEST(FormatNumber, ANullStatisticIsEmptyAndTheDefaultLocaleApplies) {
    EXPECT_EQ(FormatNumber(QVariant(), 2), "");
    EXPECT_EQ(FormatNumber(QVariant(QMetaType(QMetaType::Double)), 2), "");
    test::LocaleScope german(test::Germany);
    EXPECT_EQ(FormatNumber(2.5, 2), "2,50");
}
