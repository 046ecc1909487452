#pragma once

#include "data/Ado.h"
#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "drill/LabelFigures.h"
#include "tree/GroupingModel.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace test {

// The rows of a record source that a node's condition selects ("" selects all of them),
// counted afresh.
inline qlonglong rowsWhere(const std::shared_ptr<data::Connection>& connection,
                           const QString& source, const QString& condition) {
    data::Recordset rows;
    rows.Open("SELECT Count(1) AS N FROM " + source +
                  (condition.isEmpty() ? QString() : " WHERE " + condition),
              connection, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
    return rows.Fields("N").Value().toLongLong();
}

// Min, Max, Avg and Sum of a column over exactly the rows the condition selects.
inline std::array<QVariant, 4> statisticsWhere(const std::shared_ptr<data::Connection>& connection,
                                               const QString& source, const QString& column,
                                               const QString& condition) {
    data::Recordset rows;
    rows.Open("SELECT Min(" + column + ") AS A, Max(" + column + ") AS B, Avg(" + column +
                  ") AS C, Sum(" + column + ") AS D FROM " + source +
                  (condition.isEmpty() ? QString() : " WHERE " + condition),
              connection, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
    return {rows.Fields("A").Value(), rows.Fields("B").Value(), rows.Fields("C").Value(),
            rows.Fields("D").Value()};
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
    for (int i = 0; statistics && i < 4; ++i) {
        const QVariant& expected = (*statistics)[i];
        ASSERT_EQ(shown.statistics[i].has_value(), !expected.isNull())
            << i << " " << label.toStdString() << " where " << condition.toStdString();
        if (!expected.isNull()) {
            const double exact = expected.toDouble();
            EXPECT_NEAR(*shown.statistics[i], exact, 0.005 + 1e-12 * std::abs(exact))
                << i << " " << label.toStdString() << " where " << condition.toStdString();
        }
    }
}

// The columns of a record source named in `order`, in that order, as a grid showing only them
// would hold them.
inline std::vector<data::ColInfoRec>
columnsNamed(const std::shared_ptr<data::Connection>& connection, const QString& source,
             data::Dialect dialect, const QStringList& order) {
    data::Recordset structure;
    structure.Open(data::structureSql(source), connection, data::ado::adOpenStatic,
                   data::ado::adLockReadOnly, -1);
    data::ColInfoTable all;
    const int count = data::fillColumnTable(all, structure, dialect);
    std::vector<data::ColInfoRec> columns;
    for (const QString& name : order)
        for (int i = 0; i < count; ++i)
            if (all[i].ColName.compare(name, Qt::CaseInsensitive) == 0)
                columns.push_back(all[i]);
    EXPECT_EQ(qsizetype(columns.size()), order.size());
    return columns;
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

    // Groups by the named columns in this order, dates by the given granularity, and checks
    // the tree; returns the number of nodes below the root.
    int check(const QStringList& order, const QString& dateGroup) {
        grouping_.open(source_, dialect_, columnsNamed(connection_, source_, dialect_, order));
        dateGroup_ = dateGroup;
        // As the window does: the source may index the table for this order.
        grouping_.prepareSource(*connection_, dateGroup);
        const tree::Figures root = grouping_.readRoot(connection_);
        expectFigures(root, tree::rootLabel(root, regional_), grouping_.ColInfo[0].ColSQL,
                      QString());
        tree::NodePath path;
        return expand(path, root.count.toLongLong());
    }

private:
    // A node's figures and label against the rows its condition selects; `column` is the one
    // its statistics are of.
    void expectFigures(const tree::Figures& figures, const QString& label, const QString& column,
                       const QString& condition) {
        const qlonglong rows = figures.count.toLongLong();
        EXPECT_EQ(rowsWhere(connection_, source_, condition), rows) << condition.toStdString();
        if (!figures.hasStatistics)
            return expectLabelShows(label, regional_, rows, nullptr, condition);
        const auto expected = statisticsWhere(connection_, source_, column, condition);
        const QVariant shown[] = {figures.min, figures.max, figures.avg, figures.sum};
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(shown[i].isNull(), expected[i].isNull())
                << i << " " << condition.toStdString();
            if (!expected[i].isNull()) {
                EXPECT_NEAR(shown[i].toDouble(), expected[i].toDouble(),
                            1e-9 * std::max(1.0, std::abs(expected[i].toDouble())))
                    << i << " " << condition.toStdString();
            }
        }
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
    QString dateGroup_;
};

} // namespace test
