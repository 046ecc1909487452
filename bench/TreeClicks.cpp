#include "TreeClicks.h"

#include "data/Ado.h"
#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "data/Recordset.h"
#include "tree/DateGrouping.h"
#include "tree/GroupingOrder.h"
#include "tree/LevelRows.h"
#include "tree/NodeFilter.h"

#include <algorithm>
#include <sqlite3.h>

namespace bench {

namespace {

struct Columns {
    data::ColInfoTable table;
    int fieldCount = 0;
};

// The column table as the window holds it once the grid shows the columns in this order.
Columns columnsInOrder(const std::shared_ptr<data::Connection>& connection,
                       const QString& recordSource, const TreeOrder& order) {
    data::Recordset structure;
    structure.Open(data::structureSql(recordSource), connection, data::ado::adOpenStatic,
                   data::ado::adLockReadOnly, -1);
    data::ColInfoTable all;
    const int count = data::fillColumnTable(all, structure, data::JetProvider);
    Columns columns;
    for (const QString& name : order.columns)
        for (int i = 0; i < count; ++i)
            if (all[i].ColName == name)
                columns.table[columns.fieldCount++] = all[i];
    if (columns.fieldCount != order.columns.size())
        throw data::Error(QStringLiteral("The table lacks a column of ") + order.name);
    data::resetSpareEntries(columns.table, columns.fieldCount);
    return columns;
}

// The median and the fastest processor time of `runs` clicks, after one that is not counted.
template <typename F> void timeClick(ClickTiming& timing, int runs, F&& click) {
    click();
    std::vector<Timing> times;
    for (int run = 0; run < runs; ++run)
        times.push_back(timeOf(click));
    timing.time = median(times);
    timing.fastest =
        std::min_element(times.begin(), times.end(), [](const Timing& a, const Timing& b) {
            return a.cpu < b.cpu;
        })->cpu;
}

// The group with the most rows, the null group left aside.
const tree::LevelRow* largest(const std::vector<tree::LevelRow>& rows) {
    const tree::LevelRow* best = nullptr;
    for (const tree::LevelRow& row : rows)
        if (!row.node.isNull() &&
            (!best || row.figures.count.toLongLong() > best->figures.count.toLongLong()))
            best = &row;
    return best;
}

} // namespace

std::vector<ClickTiming> timeClicks(const std::shared_ptr<data::Connection>& connection,
                                    const QString& recordSource, const TreeOrder& order, int runs) {
    Columns columns = columnsInOrder(connection, recordSource, order);
    std::vector<ClickTiming> clicks;

    tree::Figures root;
    ClickTiming rootClick{QStringLiteral("Root"), 0, true, 1, false, {}};
    timeClick(rootClick, runs,
              [&] { root = tree::readRoot(connection, columns.table, recordSource); });
    rootClick.statistics = root.hasStatistics;
    clicks.push_back(rootClick);

    std::vector<tree::NodeValue> path;
    QString under;
    for (int depth = 0; depth < order.levels && depth < columns.fieldCount; ++depth) {
        data::ColInfoRec& grouping = columns.table[depth];
        if (grouping.ColConv == "CDate")
            grouping.ColDateGroup = order.dateGroup;
        grouping.ColGrouped = true;
        const tree::LevelSql level{
            depth, columns.fieldCount, recordSource,
            tree::makeFilter(path, columns.table, data::JetProvider),
            tree::TreeBuildDate(grouping.ColSQL, grouping.ColDateGroup, data::JetProvider)};
        std::vector<tree::LevelRow> rows;
        ClickTiming click;
        timeClick(click, runs, [&] { rows = tree::readLevel(connection, columns.table, level); });
        click.depth = depth;
        click.nodes = qint64(rows.size());
        click.statistics = tree::levelHasStatistics(columns.table, level);
        QString what = grouping.ColName;
        if (grouping.ColConv == "CDate")
            what += QStringLiteral(" by ") + grouping.ColDateGroup;
        click.label = QStringLiteral("Level %1: %2").arg(depth + 1).arg(what) + under;
        clicks.push_back(click);
        const tree::LevelRow* next = largest(rows);
        if (!next)
            break;
        path.push_back(next->node);
        under = QStringLiteral(" under ") +
                next->node.label.left(next->node.label.lastIndexOf(QStringLiteral(" (")));
    }
    return clicks;
}

IndexBuild prepareGrouping(const std::shared_ptr<data::Connection>& connection,
                           const QString& recordSource, const TreeOrder* order) {
    QStringList terms;
    if (order) {
        const Columns columns = columnsInOrder(connection, recordSource, *order);
        terms = tree::groupingOrder(columns.table, columns.fieldCount, order->dateGroup,
                                    data::JetProvider);
    }
    const sqlite3_int64 before = sqlite3_memory_used();
    IndexBuild build;
    build.time = timeOf([&] { connection->prepareGrouping(recordSource, terms); });
    const sqlite3_int64 after = sqlite3_memory_used();
    build.megabytes = double(after - before) / (1024.0 * 1024.0);
    build.totalMegabytes = double(after) / (1024.0 * 1024.0);
    return build;
}

} // namespace bench
