// The grouping tree over the values hardest to group and select again, run through the engine's
// Jet SQL, with negative statistics written between parentheses as some regions write amounts.
#include "data/Dialect.h"
#include "tree/Columns.h"
#include "tree/DateGrouping.h"
#include "tree/HardValues.h"
#include "tree/LocaleScope.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

namespace {

tree::Regional inParentheses() {
    return {QLocale(), tree::NegativeStyle::Parentheses};
}

} // namespace

TEST(HardValuesTree, EveryNodeSelectsExactlyItsOwnRows) {
    test::LocaleScope region(test::UnitedStates);
    test::TreeInvariant tree(test::connectToHardValues(), "[Hard]", data::Dialect::Jet,
                             inParentheses());
    // Texts with quotes and parentheses over negative doubles; doubles that look alike over
    // whole numbers beyond 32 bits and beyond a double; Booleans; currency amounts.
    EXPECT_GT(tree.check({"Label", "Amount", "Flag", "Price"}, "None"), 0);
    EXPECT_GT(tree.check({"Amount", "Big", "Price", "Small"}, "None"), 0);
    // Dates from 1875 to 2100 and times of day, exact and by every granularity.
    for (const QString& dateGroup : tree::DateGroupKeywords) {
        SCOPED_TRACE(dateGroup.toStdString());
        EXPECT_GT(tree.check({"When", "Small", "Clock", "Amount"}, dateGroup), 0);
        EXPECT_GT(tree.check({"Clock", "Flag", "When", "Big"}, dateGroup), 0);
    }
}

// Labels and conditions under a region that writes numbers and dates otherwise than the default
// one.
TEST(HardValuesTree, EveryNodeSelectsItsRowsUnderAnotherRegion) {
    test::LocaleScope region(test::Germany);
    test::TreeInvariant tree(test::connectToHardValues(), "[Hard]", data::Dialect::Jet);
    EXPECT_GT(tree.check({"Label", "Amount", "When", "Flag"}, "None"), 0);
    EXPECT_GT(tree.check({"When", "Clock", "Amount"}, "Month"), 0);

    const data::ColInfoTable columns = test::columnTable(
        {{"[Label]", data::Conversion::CStr}, {"[Amount]", data::Conversion::CDbl}});
    QStringList labels;
    for (const tree::LevelRow& row :
         tree::readLevel(test::connectToHardValues(), columns, {0, 2, "[Hard]", "", ""}))
        labels << row.node.label;
    EXPECT_TRUE(labels.contains(
        "a (b) (2; Min: -0,75; Max: 123.456.789,25; Avg: 61.728.394,25; Sum: 123.456.788,50)"))
        << labels.join('\n').toStdString();
    const data::ColInfoTable dates = test::columnTable({{"[When]", data::Conversion::CDate}});
    labels.clear();
    for (const tree::LevelRow& row :
         tree::readLevel(test::connectToHardValues(), dates, {0, 1, "[Hard]", "", "[When]"}))
        labels << row.node.label;
    EXPECT_TRUE(labels.contains("31.12.1929 23:59:59 (1)")) << labels.join('\n').toStdString();
}

TEST(HardValuesTree, LabelsWriteNegativeStatisticsBetweenParentheses) {
    test::LocaleScope region(test::UnitedStates);
    const data::ColInfoTable columns = test::columnTable(
        {{"[Label]", data::Conversion::CStr}, {"[Amount]", data::Conversion::CDbl}});
    QStringList labels;
    for (const tree::LevelRow& row : tree::readLevel(test::connectToHardValues(), columns,
                                                     {0, 2, "[Hard]", "", ""}, inParentheses()))
        labels << row.node.label;
    EXPECT_TRUE(labels.contains("a (b) (2; Min: (0.75); Max: 123,456,789.25; Avg: 61,728,394.25; "
                                "Sum: 123,456,788.50)"))
        << labels.join('\n').toStdString();
    // Texts that differ in letter case only are one group, as Jet compares them.
    EXPECT_EQ(labels.filter("(3; Min: (2.50); Max: 0.30; Avg: (0.63); Sum: (1.90))").size(), 1)
        << labels.join('\n').toStdString();
    // Statistics over no values are left empty.
    EXPECT_TRUE(labels.contains("( (2; Min: ; Max: ; Avg: ; Sum: )"))
        << labels.join('\n').toStdString();
}
