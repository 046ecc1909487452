// The grouping model: the date group a level takes and keeps, the labels of date levels read
// through the engine, and what a move of grid columns keeps of the tree. (What its statements
// select is checked by whole trees in each dialect, TreeInvariant; that the engine's speed-up
// reads the same, by SpeedupOnOffTest.)
#include "tree/GroupingModel.h"

#include "Columns.h"
#include "QtPrinters.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/jet/JetTestSupport.h"
#include "tree/LocaleScope.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

using data::Conversion;
using data::Dialect;
using namespace tree;

namespace {

GroupingModel model(std::initializer_list<std::pair<QString, Conversion>> columns,
                    Dialect dialect = Dialect::Jet, const QString& source = "[Orders]") {
    const data::ColInfoTable table = test::columnTable(columns);
    GroupingModel grouping;
    grouping.open(source, dialect,
                  std::span(table.begin(), table.begin() + qsizetype(columns.size())));
    return grouping;
}

// The names of the columns in table order, with "*" after a grouped one and its date group.
QString order(const GroupingModel& grouping) {
    QStringList names;
    for (int i = 0; i < grouping.FieldCount; ++i) {
        const data::ColInfoRec& c = grouping.ColInfo[i];
        names << c.ColName + (c.ColGrouped ? "*" : "") +
                     (c.ColDateGroup ? data::dateGroupKeyword(*c.ColDateGroup) : QString());
    }
    return names.join(' ');
}

} // namespace

TEST(GroupingModel, ADateLevelKeepsTheGroupItWasFirstBuiltWithAndLabelsItsGroups) {
    GroupingModel grouping = model({{"[When]", Conversion::CDate},
                                    {"[Region]", Conversion::CStr},
                                    {"[Photo]", Conversion::Nothing}});
    using data::DateGroup;
    const data::LevelTerm monthly{"When", DateGroup::Month};
    EXPECT_EQ(grouping.groupingTerms(DateGroup::Month),
              std::vector<data::LevelTerm>({monthly, {"Region", std::nullopt}}))
        << "the terms end before a column that cannot be grouped";
    const GroupingModel::Level first = grouping.startLevel(0, {}, DateGroup::Month);
    EXPECT_TRUE(first.dateGroupFixed);
    // The menu changed since: the next node of the depth is grouped as the first one was.
    const GroupingModel::Level again = grouping.startLevel(0, {}, DateGroup::Year);
    EXPECT_FALSE(again.dateGroupFixed);
    EXPECT_EQ(again.sql.dateExpression, R"(Format([When], "yyyy\/mm"))");
    EXPECT_EQ(again.sql.grouped, monthly);
    EXPECT_EQ(grouping.groupingTerms(DateGroup::Year)[0], monthly);
    EXPECT_EQ(order(grouping), "When*Month Region Photo");

    EXPECT_THROW(grouping.startLevel(3, {}, DateGroup::Year), data::Error);

    // Every date group labels its nodes with the text its mask writes, in the engine as the
    // window reads it. (Whole trees grouped by every date group check the nodes' conditions.)
    using namespace data::jet::testing;
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales", {{"When", data::ado::adDate, 0}, {"Qty", data::ado::adInteger, 0}}},
                {{date(2001, 3, 4, 10, 5, 9), std::int64_t(2)},
                 {date(2001, 3, 4, 10, 5, 9), std::int64_t(3)},
                 {nullptr, std::int64_t(4)}});
    const auto connection = connectTo(source);
    const std::pair<const char*, const char*> expected[] = {
        {"Second", "2001/03/04 10:05:09 (2; Min: 2.00; Max: 3.00; Avg: 2.50; Sum: 5.00)"},
        {"Minute", "2001/03/04 10:05 (2; "},
        {"Hour", "2001/03/04 10 (2; "},
        {"Day", "2001/63 (2; "},
        {"Week", "2001/10 (2; "},
        {"Month", "2001/03 (2; "},
        {"Quarter", "2001/Q1 (2; "},
        {"Year", "2001 (2; "},
    };
    const test::LocaleScope english(test::UnitedStates);
    for (const auto& [dateGroup, label] : expected) {
        const QStringList labels =
            test::firstLevelLabels(connection, "[Sales]", Dialect::Jet, {"When", "Qty"}, dateGroup);
        ASSERT_EQ(labels.size(), 2) << dateGroup;
        EXPECT_EQ(labels[0], "<<NULL>> (1; Min: 4.00; Max: 4.00; Avg: 4.00; Sum: 4.00)");
        EXPECT_TRUE(labels[1].startsWith(label)) << labels[1].toStdString();
    }
}

TEST(GroupingModel, AColumnMoveKeepsTheDepthsThatStillHold) {
    // Columns A to E, all grouped with a date group, "s" text and "n" numbers; the order after
    // the move with "*" where a column is still grouped, and the first depth that no longer holds
    // (0: a new root, -1: nothing moved).
    const struct {
        const char* kinds;
        int start, end, gap;
        const char* order;
        int discardFrom;
    } moves[] = {
        {"sssss", 1, 1, 3, "A* C* B D E", 2},     // nothing numeric: depth 1 still holds
        {"sssss", 1, 1, 0, "B A C D E", 0},       // to the front: a new root
        {"sssss", 1, 1, 5, "A* C* D E B", 2},     // after the last column
        {"snsss", 2, 3, 1, "A* C D B E", 1},      // the column at the gap is numeric
        {"ssnss", 1, 1, 4, "A* C D B E", 1},      // the column after the block takes its place
        {"sssns", 1, 1, 3, "A* C B D E", 1},      // the column at the gap is numeric
        {"sssns", 3, 3, 1, "A* D B C E", 1},      // a numeric column moved left alone
        {"sssss", 1, 2, 4, "A* D* B C E", 2},     // a block to the right
        {"sssss", 1, 2, 1, "A* B* C* D* E*", -1}, // the gaps at the block's ends: no move
        {"sssss", 1, 2, 3, "A* B* C* D* E*", -1},
    };
    for (const auto& m : moves) {
        std::vector<data::ColInfoRec> columns;
        for (int i = 0; i < 5; ++i) {
            const QString name(QChar('A' + i));
            columns.push_back({name, "[" + name + "]",
                               m.kinds[i] == 'n' ? Conversion::CDbl : Conversion::CStr,
                               data::DateGroup::Year, true});
        }
        GroupingModel grouping;
        grouping.open("[T]", Dialect::Jet, columns);
        const GroupingModel::BlockMove move = grouping.moveBlock(m.start, m.end, m.gap);
        SCOPED_TRACE(m.order);
        // A column still grouped keeps its date group too.
        EXPECT_EQ(order(grouping), QString(m.order).replace("*", "*Year"));
        EXPECT_EQ(move.moved ? move.discardFrom : -1, m.discardFrom);
        if (move.moved) {
            EXPECT_EQ(grouping.ColInfo[move.first].ColName, QChar('A' + m.start));
        }
    }
    GroupingModel grouping = model({{"[A]", Conversion::CStr}, {"[B]", Conversion::CStr}});
    EXPECT_THROW(grouping.moveBlock(1, 2, 0), data::Error);
    EXPECT_THROW(grouping.moveBlock(0, 0, 3), data::Error);
}

// A record source of 120 columns: the node at every depth down to the last column reads its rows,
// its condition one comparison per depth. (1001 columns, the most the column table holds, read
// alike, in half a minute.)
TEST(GroupingModel, EveryDepthDownToTheLastColumnReadsItsRows) {
    using namespace data::jet::testing;
    data::jet::SourceTable table{"Wide", {}};
    data::jet::testing::Row first, second;
    QStringList shown;
    const int last = 119;
    for (int i = 0; i <= last; ++i) {
        table.columns.push_back({QString("C%1").arg(i), data::ado::adVarWChar, 0});
        shown << table.columns.back().name;
        first.push_back(QString("a"));
        second.push_back(i == last ? Cell(nullptr) : Cell(QString("A")));
    }
    auto source = std::make_shared<MemoryTableSource>();
    source->add(table, {first, second});
    const auto connection = connectTo(source);
    GroupingModel grouping;
    grouping.open(connection, "[Wide]", Dialect::Jet, shown);
    NodePath path;
    for (int depth = 0; depth < grouping.FieldCount; ++depth) {
        const auto rows = grouping.readLevel(
            connection, grouping.startLevel(depth, path, data::DateGroup::Year).sql);
        ASSERT_EQ(rows.size(), depth == last ? 2u : 1u) << depth;
        path.values.push_back(rows.back().node);
    }
}
