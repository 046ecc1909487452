#pragma once

#include "data/Ado.h"
#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "tree/DateGrouping.h"
#include "tree/GroupingOrder.h"
#include "tree/LevelRows.h"
#include "tree/NodeFilter.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace test {

// A whole tree over a record source, built level by level through the program's statements: for
// every node, its children add up to it, its condition selects exactly its rows, and its
// statistics are those of the next column over exactly those rows.
class TreeInvariant {
public:
    TreeInvariant(std::shared_ptr<data::Connection> connection, QString source, QString provider)
        : connection_(std::move(connection)), source_(std::move(source)),
          provider_(std::move(provider)) {}

    // Groups by the named columns in this order, dates by the given granularity, and checks
    // the tree; returns the number of nodes below the root.
    int check(const QStringList& order, const QString& dateGroup) {
        groupBy(order, dateGroup);
        // As the window does: the source may index the table for this order.
        connection_->prepareGrouping(source_, tree::groupingOrder(columns_, fieldCount_));
        const tree::Figures root = tree::readRoot(connection_, columns_, source_);
        std::vector<tree::NodeValue> path;
        return expand(path, root.count.toLongLong());
    }

private:
    void groupBy(const QStringList& order, const QString& dateGroup) {
        data::Recordset structure;
        structure.Open(data::structureSql(source_), connection_, data::ado::adOpenStatic,
                       data::ado::adLockReadOnly, -1);
        data::ColInfoTable all;
        const int count = data::fillColumnTable(all, structure, provider_);
        fieldCount_ = 0;
        for (const QString& name : order)
            for (int i = 0; i < count; ++i)
                if (all[i].ColName.compare(name, Qt::CaseInsensitive) == 0)
                    columns_[fieldCount_++] = all[i];
        EXPECT_EQ(fieldCount_, order.size());
        data::resetSpareEntries(columns_, fieldCount_);
        for (int i = 0; i < fieldCount_; ++i)
            if (columns_[i].ColConv == "CDate")
                columns_[i].ColDateGroup = dateGroup;
    }

    qlonglong countWhere(const QString& condition) {
        data::Recordset rows;
        rows.Open("SELECT Count(1) AS N FROM " + source_ + " WHERE " + condition, connection_,
                  data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
        return rows.Fields("N").Value().toLongLong();
    }

    // The node's Min, Max, Avg and Sum of the statistics column, computed afresh over the rows
    // its condition selects.
    void expectStatistics(const tree::Figures& figures, const QString& column,
                          const QString& condition) {
        data::Recordset rows;
        rows.Open("SELECT Min(" + column + ") AS A, Max(" + column + ") AS B, Avg(" + column +
                      ") AS C, Sum(" + column + ") AS D FROM " + source_ + " WHERE " + condition,
                  connection_, data::ado::adOpenForwardOnly, data::ado::adLockReadOnly, -1);
        const QVariant shown[] = {figures.min, figures.max, figures.avg, figures.sum};
        const char* names[] = {"A", "B", "C", "D"};
        for (int i = 0; i < 4; ++i) {
            const QVariant expected = rows.Fields(names[i]).Value();
            ASSERT_EQ(shown[i].isNull(), expected.isNull())
                << names[i] << " " << condition.toStdString();
            if (!expected.isNull()) {
                EXPECT_NEAR(shown[i].toDouble(), expected.toDouble(),
                            1e-9 * std::max(1.0, std::abs(expected.toDouble())))
                    << names[i] << " " << condition.toStdString();
            }
        }
    }

    int expand(std::vector<tree::NodeValue>& path, qlonglong count) {
        const int depth = int(path.size());
        if (depth == fieldCount_)
            return 0;
        const QString filter = tree::makeFilter(path, columns_, provider_);
        const tree::LevelSql level{
            depth, fieldCount_, source_, filter,
            tree::TreeBuildDate(columns_[depth].ColSQL, columns_[depth].ColDateGroup, provider_)};
        qlonglong total = 0;
        int visited = 0;
        for (const tree::LevelRow& child : tree::readLevel(connection_, columns_, level)) {
            const qlonglong rows = child.figures.count.toLongLong();
            total += rows;
            path.push_back(child.node);
            const QString condition = tree::makeFilter(path, columns_, provider_);
            EXPECT_EQ(countWhere(condition), rows) << condition.toStdString();
            if (child.figures.hasStatistics)
                expectStatistics(child.figures, columns_[depth + 1].ColSQL, condition);
            visited += 1 + expand(path, rows);
            path.pop_back();
        }
        EXPECT_EQ(total, count) << "below " << filter.toStdString();
        return visited;
    }

    std::shared_ptr<data::Connection> connection_;
    QString source_;
    QString provider_;
    data::ColInfoTable columns_;
    int fieldCount_ = 0;
};

} // namespace test
