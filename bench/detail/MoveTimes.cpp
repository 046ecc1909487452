#include "MoveTimes.h"

#include "Report.h"
#include "Stopwatch.h"
#include "WindowDrill.h"
#include "drill/ColumnMoves.h"
#include "state/Module1.h"
#include "tree/GroupingModel.h"
#include "ui/main/frmMain.h"

namespace bench {

namespace {

struct MoveTiming {
    Timing drop;
    Timing indexBuild;
};

// Times the engine's index for the order the move makes, built from the index of the order
// before it, and then the drop through the header, which finds that index in place: what the
// drop costs besides the index build.
MoveTiming timeMove(WindowDrill& window, const drill::ColumnMove& move) {
    Module1& state = window.state();
    tree::GroupingModel after = state.Grouping;
    after.moveBlock(move.start, move.end, move.gap);
    MoveTiming timing;
    timing.indexBuild =
        timeOf([&] { after.prepareSource(*state.DbConnection, state.DateGroupType); });
    timing.drop = timeOf([&] {
        drill::dragColumns(window.form(), move);
        window.settle();
    });
    return timing;
}

void printRow(const QString& what, const std::vector<MoveTiming>& timings) {
    std::vector<Timing> drops, builds;
    for (const MoveTiming& t : timings) {
        drops.push_back(t.drop);
        builds.push_back(t.indexBuild);
    }
    const Timing drop = median(drops), build = median(builds);
    printTableRow({what, milliseconds(drop.cpu), milliseconds(drop.wall), milliseconds(build.cpu),
                   milliseconds(build.wall)});
}

} // namespace

void runMoveTimes(WindowDrill& window, const Counts& counts) {
    // The window shows Region | City | Customer | OrderDate | Amount | Qty | Paid. A city is
    // selected and its customers built; moving Qty before OrderDate keeps the regions and
    // cities and takes the customers away, and moving it back restores the order.
    const tree::NodePtr region = window.largestChild(window.root());
    const tree::NodePtr city = window.largestChild(region);
    std::vector<MoveTiming> pruning;
    for (int i = 0; i < counts.runs; ++i) {
        window.click(city);
        pruning.push_back(timeMove(window, {5, 5, 3}));
        drill::dragColumns(window.form(), {3, 3, 6});
    }
    // City to the front and back again: both start the tree from a new root.
    std::vector<MoveTiming> rebuilding;
    for (int i = 0; i < counts.runs; ++i)
        rebuilding.push_back(timeMove(window, {1, 1, 0}));

    printHeading(QStringLiteral("Column moves: %1 rows in the engine (median of %2 drops)")
                     .arg(counts.rows)
                     .arg(counts.runs));
    printTableHead({QStringLiteral("Drop"), QStringLiteral("Besides the index: processor (ms)"),
                    QStringLiteral("wall (ms)"), QStringLiteral("Index build: processor (ms)"),
                    QStringLiteral("wall (ms)")});
    printRow(QStringLiteral("Keeps the root: prunes below a city, grid of the city's rows"),
             pruning);
    printRow(QStringLiteral("New root: root figures, grid of every row"), rebuilding);
}

} // namespace bench
