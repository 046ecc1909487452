// Quarrymere's goals benchmark: what a person waits for around the clicks of a large table,
// through the real main window offscreen over the synthetic Sales table in the engine, each
// figure on the wall clock. Picking the table until its root shows (and the load within it), a
// column drop that changes level 1 until the new level 1 shows, and the time until deep clicks
// read through the engine's index again; at ten million rows the process's peak memory too.
// One row count per process, so that the peak is that run's own. Prints one line per goal
// (see Goal.h), with the figures behind them before. At a million rows, the load of a
// 1,000,000 x 8 .xlsx sheet too.
//
//   quarrymere_goals_bench [--rows=N] [--runs=N]
//   quarrymere_goals_bench --rows=N --csv=PATH   writes the Sales rows as CSV for the yardstick

#include "Arguments.h"
#include "Goal.h"
#include "Memory.h"
#include "OffscreenMain.h"
#include "Report.h"
#include "SalesConnection.h"
#include "SalesCsv.h"
#include "SalesSource.h"
#include "Stopwatch.h"
#include "TimedSource.h"
#include "WindowDrill.h"
#include "XlsxLoad.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "drill/ColumnMoves.h"
#include "ui/controls/TreeView.h"
#include "ui/main/frmMain.h"

#include <QCoreApplication>
#include <QKeyEvent>

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

void drop(frmMain& form, const drill::ColumnMove& move) {
    if (const auto failure = drill::dragColumns(form, move))
        throw data::Error(*failure);
}

// Lets the window do its idle work until the engine's index for the tree order is in place.
Timing untilPrepared(WindowDrill& window) {
    return timeOf([&] {
        window.settle();
        window.form().finishPreparing();
    });
}

// The window's making of the index for the new order gives way to a key, as it gives way to a
// person's first click: the index of the order before is gone and the new one not made yet.
void interruptPreparing(frmMain& form) {
    QCoreApplication::postEvent(form.tvTreeView->findChild<QWidget*>(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier));
    form.prepareGroupingWhenIdle();
}

// One round in a new window over a new connection, so an engine of its own: the pick, the index
// for the tree order made when idle, and a regroup.
struct Round {
    Timing pick;     // the pick command until the root shows (the load within it is timed apart)
    Timing prepared; // then until the index for the tree order is in place
    Timing drop;     // City dropped at the front until the new root and grid show
    Timing level1;   // the root's click until level 1 shows, without an index for the new order
    // A click at depth 2 that builds its level while there is no index: the making of the one for
    // the new order gave way to the person's clicks
    Timing deepBeforeIndex;
    Timing ready;               // then until the index for the new order is in place
    Timing deep;                // a click at depth 2 that builds its level, with that index
    double preparedPeakMiB = 0; // the process's peak once the first index is in place
};

// A round; with `deep`, after level 1 the window is left to make the index for the new order
// and a node at depth 2 is clicked. Every drop thus finds the index for the order before it in
// place and none for its own, as a person who opened the table a while ago finds them.
Round playRound(WindowDrill& window, const std::shared_ptr<TimedSource>& source, int rows,
                bool deep) {
    Round round;
    const std::size_t loadsBefore = source->loads().size();
    const auto connection = connectToSales(source);
    round.pick =
        timeOf([&] { window.pick(connection, data::JetProvider, SalesSource::TableName); });
    if (source->loads().size() != loadsBefore + 1)
        throw data::Error(QStringLiteral("The pick loaded the table %1 times")
                              .arg(source->loads().size() - loadsBefore));
    if (WindowDrill::countOf(window.root()) != rows)
        throw data::Error("The root shows " + window.root()->Text());
    round.prepared = untilPrepared(window);
    round.preparedPeakMiB = peakMiB();
    // The window widened as the first drag would widen it, so that no drop is timed with it.
    frmMain& form = window.form();
    drill::showEveryColumn(form);
    window.settle();

    round.drop = timeOf([&] {
        drop(form, CityToFront);
        window.paint();
    });
    if (!drill::gridColumnNames(form).startsWith(QStringLiteral("City |")))
        throw data::Error("The drop left the columns " + drill::gridColumnNames(form));
    const tree::NodePtr root = window.root();
    round.level1 = window.click(root, Then::Paint);
    if (!root->Child())
        throw data::Error(QStringLiteral("The root's click built no level"));
    if (deep) {
        // The second largest city for the click before the index, the largest after it, so that
        // each click builds its level. Until the index is in place the window only paints: its
        // timers would start making the index again.
        interruptPreparing(form);
        const tree::NodePtr largest = window.largestChild(root, nullptr, Then::Paint);
        const tree::NodePtr second = window.largestChild(
            window.largestChild(root, largest, Then::Paint), nullptr, Then::Paint);
        round.deepBeforeIndex = window.click(second, Then::Paint);
        round.ready = untilPrepared(window);
        const tree::NodePtr region = window.largestChild(largest);
        round.deep = window.click(region, Then::Paint);
        for (const tree::NodePtr& node : {second, region})
            if (!node->Child())
                throw data::Error("The click on " + node->Text() + " built no level");
    }
    return round;
}

Timing medianOf(const std::vector<Round>& rounds, Timing Round::*part) {
    std::vector<Timing> timings;
    for (const Round& round : rounds)
        timings.push_back(round.*part);
    return median(timings);
}

// The median over the rounds of the sum of their parts' wall times, in ms.
double medianMs(const std::vector<Round>& rounds, std::initializer_list<Timing Round::*> parts) {
    std::vector<double> totals;
    for (const Round& round : rounds) {
        double total = 0;
        for (Timing Round::*part : parts)
            total += (round.*part).wall;
        totals.push_back(ms(total));
    }
    return median(totals);
}

// The load of a 1,000,000 x 8 .xlsx sheet, in rows a second on the wall clock (median of 3).
Goal xlsxGoal() {
    const XlsxLoadTiming t = timeXlsxLoad(1000000, 3);
    printLine(QStringLiteral("- A 1,000,000 x 8 .xlsx sheet (%1 MB, its XML %2 MB) loaded in %3 ms "
                             "wall, %4 ms processor")
                  .arg(t.fileBytes / 1000000)
                  .arg(t.sheetBytes / 1000000)
                  .arg(milliseconds(t.load.wall), milliseconds(t.load.cpu)));
    Goal goal{QStringLiteral("xlsx-load-1Mx8"), double(t.rows) / t.load.wall, 700000,
              QStringLiteral("rows/s")};
    goal.atLeast = true;
    return goal;
}

void run(const Counts& counts) {
    const bool tenMillion = counts.rows >= TenMillion;
    const QString label = rowsLabel(counts.rows);
    {
        // A small table first, so that what a process does once (fonts, the engine's set-up)
        // is not counted.
        WindowDrill window;
        playRound(window, std::make_shared<TimedSource>(std::make_shared<SalesSource>(1000)), 1000,
                  true);
    }
    const auto source = std::make_shared<TimedSource>(std::make_shared<SalesSource>(counts.rows));
    std::vector<Round> rounds;
    for (int i = 0; i < counts.runs; ++i) {
        // The engine before goes with its window. At ten million rows the index for the new
        // order is made in the last round only (half a minute each), for the flow and the peak.
        WindowDrill window;
        rounds.push_back(
            playRound(window, source, counts.rows, !tenMillion || i == counts.runs - 1));
    }
    const double peak = peakMiB();
    const Timing load = median(source->loads());
    std::vector<Round> deepRounds = rounds;
    if (tenMillion)
        deepRounds.erase(deepRounds.begin(), deepRounds.end() - 1);

    printHeading(QStringLiteral("Goals: %1 rows in the engine (median of %2)")
                     .arg(counts.rows)
                     .arg(counts.runs));
    const auto line = [](const QString& what, const Timing& t) {
        printLine(QStringLiteral("- %1: %2 ms wall, %3 ms processor")
                      .arg(what, milliseconds(t.wall), milliseconds(t.cpu)));
    };
    line(QStringLiteral("Pick to root"), medianOf(rounds, &Round::pick));
    line(QStringLiteral("Load within it"), load);
    line(QStringLiteral("Then until the index for the tree order is in place"),
         medianOf(rounds, &Round::prepared));
    line(QStringLiteral("Drop of City at the front until the new root shows"),
         medianOf(rounds, &Round::drop));
    line(QStringLiteral("Then level 1 without an index for the new order"),
         medianOf(rounds, &Round::level1));
    const QString ofDeep = tenMillion ? QStringLiteral(" (last round)") : QString();
    line("Then a click at depth 2 building its level with no index, the new one given way to "
         "the clicks" +
             ofDeep,
         medianOf(deepRounds, &Round::deepBeforeIndex));
    line("Then until the index for the new order is in place" + ofDeep,
         medianOf(deepRounds, &Round::ready));
    line("Then a click at depth 2 building its level" + ofDeep, medianOf(deepRounds, &Round::deep));
    printLine(QStringLiteral("- Peak of the first round with the table and one index: %1 MiB; "
                             "resident at the end: %2 MiB, "
                             "peak %3 MiB")
                  .arg(rounds.front().preparedPeakMiB, 0, 'f', 0)
                  .arg(residentMiB(), 0, 'f', 0)
                  .arg(peak, 0, 'f', 0));
    printLine();

    const double loadMs = ms(load.wall);
    const double pickMs = ms(medianOf(rounds, &Round::pick).wall);
    const double regroupMs = medianMs(rounds, {&Round::drop, &Round::level1});
    const double beforeIndexMs = ms(medianOf(deepRounds, &Round::deepBeforeIndex).wall);
    const double readyMs = ms(medianOf(deepRounds, &Round::ready).wall);
    std::vector<Goal> goals;
    if (!tenMillion) {
        goals = {{"pick-to-root-" + label, pickMs, loadMs + 150},
                 {"load-" + label, loadMs, 670},
                 {"regroup-level1-" + label, regroupMs, 150},
                 {"deep-click-after-drop-" + label, ms(medianOf(rounds, &Round::deep).wall), 10,
                  QStringLiteral("ms"), true},
                 {"deep-clicks-back-after-drop-" + label,
                  medianMs(rounds, {&Round::drop, &Round::level1, &Round::ready, &Round::deep}),
                  2000},
                 {"regroup-level1-ahead-" + label, regroupMs, 60},
                 {"deep-click-before-new-index-" + label, beforeIndexMs, 50},
                 {"index-ready-after-drop-" + label, readyMs, 600}};
        if (counts.rows == 1000000)
            goals.push_back(xlsxGoal());
    } else {
        goals = {{"pick-to-root-" + label, pickMs, loadMs + 1000},
                 {"regroup-level1-" + label, regroupMs, 1500},
                 {"peak-memory-" + label, peak, 1536, QStringLiteral("MiB")},
                 {"regroup-level1-ahead-" + label, regroupMs, 500},
                 {"deep-click-before-new-index-" + label, beforeIndexMs, 150},
                 {"index-ready-after-drop-" + label, readyMs, 6000},
                 {"peak-memory-ahead-" + label, peak, 1024, QStringLiteral("MiB")}};
    }
    for (const Goal& goal : goals)
        printLine(goalLine(goal));
}

} // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv, [](const QStringList& arguments) {
        bench::Counts counts;
        QString csv;
        for (const QString& argument : arguments.mid(1))
            if (!bench::readCounts(argument, counts) && argument.startsWith("--csv="))
                csv = argument.mid(6);
        if (!csv.isEmpty())
            bench::writeSalesCsv(counts.rows, csv);
        else
            run(counts);
    });
}
