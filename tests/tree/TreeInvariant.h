#pragma once

#include "data/Connection.h"
#include "drill/LabelFigures.h"
#include "drill/SourceFigures.h"
#include "tree/GroupingModel.h"

#include <QStringList>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace test {

// The date group a keyword of the menu names; a test that names another fails.
inline data::DateGroup dateGroupOf(const QString& keyword) {
    const std::optional<data::DateGroup> group = data::dateGroupNamed(keyword);
    EXPECT_TRUE(group) << keyword.toStdString();
    return group.value_or(data::DateGroup::None);
}

// A label against the rows behind its node: the count, and each statistic as the label rounds
// it to two decimals.
inline void expectLabelShows(const QString& label, const tree::Regional& regional, qlonglong count,
                             const std::array<QVariant, 4>* statistics, const QString& condition) {
    const auto read = drill::readLabel(label, regional.locale);
    ASSERT_TRUE(read) << label.toStdString();
    const drill::LabelFigures& shown = *read;
    EXPECT_EQ(shown.count, count) << label.toStdString() << " where " << condition.toStdString();
    ASSERT_EQ(shown.hasStatistics, statistics != nullptr) << label.toStdString();
    for (int i = 0; statistics && i < 4; ++i)
        EXPECT_TRUE(drill::showsStatistic(shown.statistics[i], (*statistics)[i]))
            << i << " " << label.toStdString() << " where " << condition.toStdString();
}

// The labels of the first level of the tree over the columns in this order.
inline QStringList firstLevelLabels(const std::shared_ptr<data::Connection>& connection,
                                    const QString& source, data::Dialect dialect,
                                    const QStringList& order, const QString& dateGroup = "None",
                                    const tree::Regional& regional = tree::Regional()) {
    tree::GroupingModel grouping;
    grouping.open(connection, source, dialect, order);
    QStringList labels;
    for (const tree::LevelRow& row : grouping.readLevel(
             connection, grouping.startLevel(0, {}, dateGroupOf(dateGroup)).sql, regional))
        labels << row.node.label;
    return labels;
}

// A whole tree over a record source, built level by level by the program's grouping model: for
// every node, its children add up to it, its condition selects exactly its rows, and its
// statistics, as computed and as its label shows them, are those of the next column over
// exactly those rows.
class TreeInvariant {
public:
    TreeInvariant(std::shared_ptr<data::Connection> connection, QString source,
                  data::Dialect dialect, tree::Regional regional = tree::Regional())
        : connection_(std::move(connection)), source_(std::move(source)), dialect_(dialect),
          regional_(std::move(regional)) {}

    // A further check of each node, the root first, given its path and label.
    std::function<void(const tree::NodePath&, const QString&)> alsoCheck;

    // Groups by the named columns in this order, dates by the given granularity, and checks
    // the tree; returns the number of nodes below the root.
    int check(const QStringList& order, const QString& dateGroup) {
        grouping_.open(connection_, source_, dialect_, order);
        dateGroup_ = dateGroupOf(dateGroup);
        // As the window does: the source may index the table for this order.
        grouping_.prepareSource(*connection_, dateGroup_);
        const tree::Figures root = grouping_.readRoot(connection_);
        expectFigures(root, tree::rootLabel(root, regional_), grouping_.ColInfo[0].ColSQL,
                      QString());
        tree::NodePath path;
        if (alsoCheck)
            alsoCheck(path, tree::rootLabel(root, regional_));
        return expand(path, root.count.toLongLong());
    }

private:
    // A node's figures, as its label shows them, against the rows its condition selects;
    // `column` is the one its statistics are of.
    void expectFigures(const tree::Figures& figures, const QString& label, const QString& column,
                       const QString& condition) {
        const qlonglong rows = figures.count.toLongLong();
        EXPECT_EQ(drill::countWhere(connection_, source_, condition), rows)
            << condition.toStdString();
        if (!figures.hasStatistics)
            return expectLabelShows(label, regional_, rows, nullptr, condition);
        const auto expected = drill::statisticsWhere(connection_, source_, column, condition);
        expectLabelShows(label, regional_, rows, &expected, condition);
    }

    int expand(tree::NodePath& path, qlonglong count) {
        const int depth = int(path.values.size());
        if (!grouping_.hasLevelBelow(depth))
            return 0;
        const tree::LevelSql level = grouping_.startLevel(depth, path, dateGroup_).sql;
        qlonglong total = 0;
        int visited = 0;
        for (const tree::LevelRow& child : grouping_.readLevel(connection_, level, regional_)) {
            const qlonglong rows = child.figures.count.toLongLong();
            total += rows;
            path.values.push_back(child.node);
            expectFigures(child.figures, child.node.label, grouping_.ColInfo[depth + 1].ColSQL,
                          grouping_.condition(path));
            if (alsoCheck)
                alsoCheck(path, child.node.label);
            visited += 1 + expand(path, rows);
            path.values.pop_back();
        }
        EXPECT_EQ(total, count) << "below " << level.filter.toStdString();
        return visited;
    }

    std::shared_ptr<data::Connection> connection_;
    QString source_;
    data::Dialect dialect_;
    tree::Regional regional_;
    tree::GroupingModel grouping_;
    data::DateGroup dateGroup_ = data::DateGroup::None;
};

} // namespace test
