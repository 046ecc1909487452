// Quarrymere's goals benchmark: what a person waits for around the clicks of a large table,
// through the real main window offscreen over the synthetic Sales table in the engine, each
// figure on the wall clock. Picking the table until its root shows (and the load within it), a
// column drop that changes level 1 until the new level 1 shows, and the time until deep clicks
// read through the engine's index again; at ten million rows the process's peak memory too.
// One row count per process, so that the peak is that run's own. Prints one line per goal
// (see Goal.h), with the figures behind them before.
//
//   quarrymere_goals_bench [--rows=N] [--runs=N]

#include "Arguments.h"
#include "Goal.h"
#include "Memory.h"
#include "Report.h"
#include "SalesConnection.h"
#include "SalesSource.h"
#include "Stopwatch.h"
#include "TimedSource.h"
#include "WindowDrill.h"
#include "app/LocalTimeZone.h"
#include "app/StandardProviders.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "drill/ColumnMoves.h"
#include "ui/main/frmMain.h"

#include <QApplication>

namespace {

using namespace bench;
using Then = WindowDrill::Then;

constexpr int TenMillion = 10000000;

// The window shows Region | City | Customer | OrderDate | Amount | Qty | Paid. City to the
// front changes level 1 from regions to cities; the same move again puts Region back.
constexpr drill::ColumnMove CityToFront{1, 1, 0};

QString rowsLabel(int rows) {
    if (rows % 1000000 == 0)
        return QString::number(rows / 1000000) + 'M';
    return QString::number(rows);
}

double ms(double seconds) {
    return seconds * 1000;
}

QString both(const Timing& t) {
    return QStringLiteral("%1 ms wall, %2 ms processor")
        .arg(milliseconds(t.wall), milliseconds(t.cpu));
}

void drop(frmMain& form, const drill::ColumnMove& move) {
    if (const auto failure = drill::dragColumns(form, move))
        throw data::Error(*failure);
}

struct Picks {
    Timing pick;
    Timing load;
    std::unique_ptr<WindowDrill> window; // the last pick's, its root shown
};

// Picks the table in a new window over a new connection, each time into an engine of its own,
// timed from the pick command until the root shows; the load is timed inside it.
Picks timePicks(const std::shared_ptr<SalesSource>& sales, int rows, int runs) {
    const auto source = std::make_shared<TimedSource>(sales);
    std::vector<Timing> picks;
    Picks result;
    for (int i = 0; i < runs; ++i) {
        result.window.reset(); // the engine before goes with its window
        result.window = std::make_unique<WindowDrill>();
        const auto connection = connectToSales(source);
        const std::size_t loadsBefore = source->loads().size();
        picks.push_back(timeOf(
            [&] { result.window->pick(connection, data::JetProvider, SalesSource::TableName); }));
        if (source->loads().size() != loadsBefore + 1)
            throw data::Error(QStringLiteral("The pick loaded the table %1 times")
                                  .arg(source->loads().size() - loadsBefore));
        if (WindowDrill::countOf(result.window->root()) != rows)
            throw data::Error("The root shows " + result.window->root()->Text());
    }
    result.pick = median(picks);
    result.load = median(source->loads());
    return result;
}

// Lets the window do its idle work until the engine's index for the tree order is in place.
Timing untilPrepared(WindowDrill& window) {
    return timeOf([&] {
        window.settle();
        window.form().finishPreparing();
    });
}

struct Regroup {
    Timing drop;   // the drop until the new root and grid show
    Timing level1; // the root's click until level 1 shows, without an index for the new order
    Timing ready;  // then until the index for the new order is in place
    Timing deep;   // a click at depth 2 that builds its level, with that index
};

// City to the front, as a person drags it, and level 1 shown at once; with `deep`, the window
// is then left to make its index and a node at depth 2 is clicked. The order is put back
// afterwards, untimed, and with `deep` its index made again, so that every drop finds an index
// for the order before it and none for its own.
Regroup regroup(WindowDrill& window, bool deep) {
    frmMain& form = window.form();
    Regroup run;
    run.drop = timeOf([&] {
        drop(form, CityToFront);
        window.paint();
    });
    if (!drill::gridColumnNames(form).startsWith(QStringLiteral("City |")))
        throw data::Error("The drop left the columns " + drill::gridColumnNames(form));
    const ui::NodePtr root = window.root();
    run.level1 = window.click(root, Then::Paint);
    if (!root->Child())
        throw data::Error(QStringLiteral("The root's click built no level"));
    if (deep) {
        run.ready = untilPrepared(window);
        const ui::NodePtr region = window.largestChild(window.largestChild(root));
        run.deep = window.click(region, Then::Paint);
        if (!region->Child())
            throw data::Error("The click on " + region->Text() + " built no level");
    }
    drop(form, CityToFront);
    window.paint();
    if (deep)
        untilPrepared(window);
    return run;
}

Timing medianOf(const std::vector<Regroup>& runs, Timing Regroup::*part) {
    std::vector<Timing> timings;
    for (const Regroup& run : runs)
        timings.push_back(run.*part);
    return median(timings);
}

// The median over the runs of a drop's time until a deep click is answered through the index.
double deepAnsweredMs(const std::vector<Regroup>& runs) {
    std::vector<double> totals;
    for (const Regroup& run : runs)
        totals.push_back(ms(run.drop.wall + run.level1.wall + run.ready.wall + run.deep.wall));
    return median(totals);
}

void run(const Counts& counts) {
    const bool tenMillion = counts.rows >= TenMillion;
    const QString label = rowsLabel(counts.rows);
    const auto sales = std::make_shared<SalesSource>(counts.rows);
    // A small table first, so that what a process does once (fonts, the engine's set-up) is not
    // counted.
    timePicks(std::make_shared<SalesSource>(1000), 1000, 1);

    Picks picks = timePicks(sales, counts.rows, counts.runs);
    WindowDrill& window = *picks.window;
    const Timing prepared = untilPrepared(window);
    // The window widened as the first drag would widen it, so that no drop is timed with it.
    drill::showEveryColumn(window.form());
    window.settle();

    std::vector<Regroup> regroups;
    for (int i = 0; i < counts.runs; ++i)
        regroups.push_back(regroup(window, !tenMillion));
    Timing preparedAgain;
    if (tenMillion) {
        // The index made once more for a new order, replacing the one before, for the peak.
        drop(window.form(), CityToFront);
        window.paint();
        preparedAgain = untilPrepared(window);
    }
    const double peak = peakMiB();

    printHeading(QStringLiteral("Goals: %1 rows in the engine (median of %2)")
                     .arg(counts.rows)
                     .arg(counts.runs));
    const Timing level1 = medianOf(regroups, &Regroup::level1);
    const Timing dropped = medianOf(regroups, &Regroup::drop);
    std::vector<double> regroupTotals;
    for (const Regroup& r : regroups)
        regroupTotals.push_back(ms(r.drop.wall + r.level1.wall));
    const double regroupMs = median(regroupTotals);
    printLine(QStringLiteral("- Pick to root: %1").arg(both(picks.pick)));
    printLine(QStringLiteral("- Load within it: %1").arg(both(picks.load)));
    printLine(QStringLiteral("- Index for the tree order after the pick: %1").arg(both(prepared)));
    printLine(QStringLiteral("- Drop of City to the front until the new root shows: %1")
                  .arg(both(dropped)));
    printLine(QStringLiteral("- Then level 1 without an index: %1").arg(both(level1)));
    if (!tenMillion) {
        printLine(QStringLiteral("- Then until the index for the new order is in place: %1")
                      .arg(both(medianOf(regroups, &Regroup::ready))));
        printLine(QStringLiteral("- Then a click at depth 2 building its level: %1")
                      .arg(both(medianOf(regroups, &Regroup::deep))));
    } else {
        printLine(QStringLiteral("- Index for a new order, replacing the one before: %1")
                      .arg(both(preparedAgain)));
    }
    printLine(QStringLiteral("- Resident at the end: %1 MiB, peak %2 MiB")
                  .arg(residentMiB(), 0, 'f', 0)
                  .arg(peak, 0, 'f', 0));
    printLine();

    const double loadMs = ms(picks.load.wall);
    std::vector<Goal> goals;
    if (!tenMillion) {
        goals = {{"pick-to-root-" + label, ms(picks.pick.wall), loadMs + 150},
                 {"load-" + label, loadMs, 670},
                 {"regroup-level1-" + label, regroupMs, 150},
                 {"deep-click-after-drop-" + label, ms(medianOf(regroups, &Regroup::deep).wall), 10,
                  QStringLiteral("ms"), true},
                 {"deep-clicks-back-after-drop-" + label, deepAnsweredMs(regroups), 2000}};
    } else {
        goals = {{"pick-to-root-" + label, ms(picks.pick.wall), loadMs + 1000},
                 {"regroup-level1-" + label, regroupMs, 1500},
                 {"peak-memory-" + label, peak, 1536, QStringLiteral("MiB")}};
    }
    for (const Goal& goal : goals)
        printLine(goalLine(goal));
}

} // namespace

int main(int argc, char** argv) {
    app::readLocalTimeZoneOnce();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app::registerStandardProviders();
    Counts counts;
    for (const QString& argument : app.arguments().mid(1))
        readCounts(argument, counts);
    try {
        run(counts);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
