// The grouping tree over the values hardest to group and select again, run through the engine's
// Jet SQL, under two regions, with negative statistics also written between parentheses as some
// regions write amounts.
#include "data/DateGroup.h"
#include "data/Dialect.h"
#include "drill/SourceFigures.h"
#include "tree/HardValues.h"
#include "tree/LocaleScope.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

namespace {

tree::Regional inParentheses() {
    return {QLocale(), tree::NegativeStyle::Parentheses};
}

} // namespace

TEST(HardValuesTree, EveryNodeSelectsExactlyItsOwnRowsUnderEitherRegion) {
    test::LocaleScope region(test::UnitedStates);
    test::TreeInvariant tree(test::connectToHardValues(), "[Hard]", data::Dialect::Jet,
                             inParentheses());
    // Texts with quotes and parentheses over negative doubles; doubles that look alike over
    // whole numbers beyond 32 bits and beyond a double; Booleans; currency amounts.
    EXPECT_GT(tree.check({"Label", "Amount", "Flag", "Price"}, "None"), 0);
    EXPECT_GT(tree.check({"Amount", "Big", "Price", "Small"}, "None"), 0);
    // Dates from 1875 to 2100 and times of day, exact and by every granularity.
    for (const data::DateGroup group : data::DateGroups) {
        const QString dateGroup = data::dateGroupKeyword(group);
        SCOPED_TRACE(dateGroup.toStdString());
        EXPECT_GT(tree.check({"When", "Small", "Clock", "Amount"}, dateGroup), 0);
        EXPECT_GT(tree.check({"Clock", "Flag", "When", "Big"}, dateGroup), 0);
    }
    const QStringList shown =
        test::firstLevelLabels(test::connectToHardValues(), "[Hard]", data::Dialect::Jet,
                               {"Label", "Amount"}, "None", inParentheses());
    EXPECT_TRUE(shown.contains("a (b) (2; Min: (0.75); Max: 123,456,789.25; Avg: 61,728,394.25; "
                               "Sum: 123,456,788.50)"))
        << shown.join('\n').toStdString();
    // Texts that differ in letter case only are one group, as Jet compares them; statistics
    // over no values are left empty.
    EXPECT_EQ(shown.filter("(3; Min: (2.50); Max: 0.30; Avg: (0.63); Sum: (1.90))").size(), 1);
    EXPECT_TRUE(shown.contains("( (2; Min: ; Max: ; Avg: ; Sum: )"));

    // Under another region, whose dates and numbers conditions must still select their rows.
    test::LocaleScope german(test::Germany);
    test::TreeInvariant regional(test::connectToHardValues(), "[Hard]", data::Dialect::Jet);
    EXPECT_GT(regional.check({"Label", "Amount", "When", "Flag"}, "None"), 0);
    EXPECT_GT(regional.check({"When", "Clock", "Amount"}, "Month"), 0);
    const auto connection = test::connectToHardValues();
    EXPECT_TRUE(
        test::firstLevelLabels(connection, "[Hard]", data::Dialect::Jet, {"Label", "Amount"})
            .contains("a (b) (2; Min: -0,75; Max: 123.456.789,25; Avg: 61.728.394,25; "
                      "Sum: 123.456.788,50)"));
    EXPECT_TRUE(test::firstLevelLabels(connection, "[Hard]", data::Dialect::Jet, {"When"})
                    .contains("31.12.1929 23:59:59 (1)"));
}

// Texts holding NUL characters, quotes, brackets, line breaks, lone surrogates and 100,000
// characters: every node's condition carries its text whole, in both dialects that run on the
// engine.
TEST(HardValuesTree, EveryTextNodeSelectsExactlyItsOwnRows) {
    const auto connection = test::connectToHardValues();
    for (const data::Dialect dialect : {data::Dialect::Jet, data::Dialect::OdbcBridge}) {
        test::TreeInvariant tree(connection, "[Texts]", dialect);
        EXPECT_GT(tree.check({"Text", "Other", "Amount"}, "None"), 20);
        EXPECT_GT(tree.check({"Other", "Text", "Amount"}, "None"), 20);
    }
    // The engine also takes a NUL inside a literal as written.
    EXPECT_EQ(drill::countWhere(connection, "[Texts]", "[Text] = 'a" + QString(QChar(0)) + "b'"),
              2);
}
