// Numbers and truth values as labels write them. (Labels under two regions, with negative and
// null statistics, are checked where whole levels are read: HardValuesTreeTest, GroupingModelTest.)
#include "tree/NumberFormat.h"

#include "LocaleScope.h"
#include "data/AdoTypes.h"
#include "tree/NodeLabel.h"
#include "tree/NumberStyle.h"

#include <gtest/gtest.h>
#include <limits>

using tree::FormatNumber;
using tree::NegativeStyle;

TEST(FormatNumber, RoundsKeepsEveryDigitOfCountsWritesNegativesInTheRegionsStyleAndNullsAsNothing) {
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
    // A null statistic is empty; without a locale given, the program's own one applies.
    EXPECT_EQ(FormatNumber(QVariant(), 2), "");
    EXPECT_EQ(FormatNumber(QVariant(QMetaType(QMetaType::Double)), 2), "");
    test::LocaleScope german(test::Germany);
    EXPECT_EQ(FormatNumber(2.5, 2), "2,50");
}

TEST(NumberStyle, WritesEveryNumberAsTheLocaleWould) {
    // Western, Indian and Swiss grouping, a narrow space and an apostrophe as separators, a
    // region that groups only from five digits, one with digits of its own, and none at all.
    for (const char* name : {"en_US", "de_DE", "fr_FR", "en_IN", "de_CH", "es_ES", "ar_EG", "C"}) {
        SCOPED_TRACE(name);
        const QLocale locale(QString::fromLatin1(name));
        const tree::NumberStyle digits(locale);
        std::uint64_t whole = 1;
        for (int i = 0; i < 64; ++i, whole = whole * 3 + 1)
            for (const std::uint64_t value : {whole, whole / 10, whole / 10 * 10})
                ASSERT_EQ(digits.whole(value), locale.toString(qulonglong(value)));
        ASSERT_EQ(digits.whole(UINT64_MAX), locale.toString(qulonglong(UINT64_MAX)));
        double value = 0.000731;
        for (int i = 0; i < 400; ++i, value *= 1.37)
            for (const int decimals : {0, 2})
                ASSERT_EQ(digits.fixed(value, decimals), locale.toString(value, 'f', decimals))
                    << value;
        // Exact halves round away from zero; values near a half round to the nearer side.
        for (const double half : {0.125, 2.5, 3.5, 0.005, 1.005, 999.995, 2870215531740976.5,
                                  1125899906842623.625, 1e21, 1e300})
            for (const int decimals : {0, 2})
                ASSERT_EQ(digits.fixed(half, decimals), locale.toString(half, 'f', decimals))
                    << half;
    }
}

TEST(NodeLabel, BooleanGroupsReadTrueOrFalseInEveryRegion) {
    test::LocaleScope german(test::Germany);
    for (const QVariant& truth : {QVariant(true), QVariant(-1)})
        EXPECT_EQ(tree::groupValueText(truth, data::ado::adBoolean), "True");
    for (const QVariant& falsehood : {QVariant(false), QVariant(0)})
        EXPECT_EQ(tree::groupValueText(falsehood, data::ado::adBoolean), "False");
}
