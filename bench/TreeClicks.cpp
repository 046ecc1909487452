#include "TreeClicks.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "tree/GroupingModel.h"

#include <algorithm>
#include <sqlite3.h>

namespace bench {

namespace {

// The grouping as the window holds it once the grid shows only these columns, in this order.
tree::GroupingModel columnsInOrder(const std::shared_ptr<data::Connection>& connection,
                                   const QString& recordSource, const TreeOrder& order) {
    tree::GroupingModel grouping;
    grouping.open(connection, recordSource, data::Dialect::Jet, order.columns);
    return grouping;
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
    tree::GroupingModel grouping = columnsInOrder(connection, recordSource, order);
    std::vector<ClickTiming> clicks;

    tree::Figures root;
    ClickTiming rootClick{QStringLiteral("Root"), 0, true, 1, false, {}};
    timeClick(rootClick, runs, [&] { root = grouping.readRoot(connection); });
    rootClick.statistics = root.hasStatistics;
    clicks.push_back(rootClick);

    tree::NodePath path;
    QString under;
    for (int depth = 0; depth < order.levels && grouping.hasLevelBelow(depth); ++depth) {
        const tree::LevelSql level = grouping.startLevel(depth, path, order.dateGroup).sql;
        std::vector<tree::LevelRow> rows;
        ClickTiming click;
        timeClick(click, runs, [&] { rows = grouping.readLevel(connection, level); });
        click.depth = depth;
        click.nodes = qint64(rows.size());
        click.statistics = tree::levelHasStatistics(grouping.ColInfo, level);
        const data::ColInfoRec& column = grouping.ColInfo[depth];
        QString what = column.ColName;
        if (column.ColConv == data::Conversion::CDate)
            what += QStringLiteral(" by ") +
                    data::dateGroupKeyword(column.ColDateGroup.value_or(data::DateGroup::None));
        click.label = QStringLiteral("Level %1: %2").arg(depth + 1).arg(what) + under;
        clicks.push_back(click);
        const tree::LevelRow* next = largest(rows);
        if (!next)
            break;
        path.values.push_back(next->node);
        under = QStringLiteral(" under ") +
                next->node.label.left(next->node.label.lastIndexOf(QStringLiteral(" (")));
    }
    return clicks;
}

IndexBuild prepareGrouping(const std::shared_ptr<data::Connection>& connection,
                           const QString& recordSource, const TreeOrder* order) {
    std::vector<data::LevelTerm> terms;
    if (order)
        terms = columnsInOrder(connection, recordSource, *order).groupingTerms(order->dateGroup);
    const sqlite3_int64 before = sqlite3_memory_used();
    IndexBuild build;
    build.time = timeOf([&] { connection->prepareGrouping(recordSource, terms); });
    const sqlite3_int64 after = sqlite3_memory_used();
    build.megabytes = double(after - before) / (1024.0 * 1024.0);
    build.totalMegabytes = double(after) / (1024.0 * 1024.0);
    return build;
}

} // namespace bench
