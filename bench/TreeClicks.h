#pragma once

#include "Stopwatch.h"
#include "data/DateGroup.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace data {
class Connection;
}

// Clicks through the grouping tree over the synthetic Sales table with the code the window
// runs: the root's statement, then one level at a time, each opened under the largest node of
// the level before, with the node conditions the window writes.
namespace bench {

// One grouping of the table: the grid's columns in tree order, the date grouping of its date
// column, and how many levels to open below the root.
struct TreeOrder {
    QString name;
    QStringList columns;
    data::DateGroup dateGroup = data::DateGroup::None;
    int levels = 0;
};

struct ClickTiming {
    QString label; // "Root", "Level 2: City under South", ...
    int depth = 0; // of the clicked node; the root's click is depth 0 and so is level 1's
    bool root = false;
    long long nodes = 0;     // the nodes the click made (the root: 1)
    bool statistics = false; // whether the nodes carry the next column's statistics
    Timing time;             // medians
    double fastest = 0;      // the least processor time of the runs
};

// Times the root and each level `runs` times, after one run of each that is not counted.
std::vector<ClickTiming> timeClicks(const std::shared_ptr<data::Connection>& connection,
                                    const QString& recordSource, const TreeOrder& order, int runs);

struct IndexBuild {
    Timing time;
    double megabytes = 0;      // what the engine's memory grew by
    double totalMegabytes = 0; // the engine's memory with the index
};

// Tells the connection the terms of the tree's order, as the window does before the root's
// statement: the engine builds its index for them. No order drops the index.
IndexBuild prepareGrouping(const std::shared_ptr<data::Connection>& connection,
                           const QString& recordSource, const TreeOrder* order);

} // namespace bench
