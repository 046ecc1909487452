// Quarrymere's benchmark: the drill-down statements over a synthetic table of a million rows,
// translated from Jet SQL and run through the engine, against the same statements written by
// hand in SQLite's SQL; clicks through the grouping tree over that table; what the text
// collation costs; the load of an Access file against mdb-export; and the load of an .xlsx
// worksheet of as many rows. Prints Markdown.
//
//   quarrymere_bench [--rows=N] [--runs=N] [--sql] [--only=SECTION,...] [--no-speedup]
//
// --sql also prints each statement's translation; --no-speedup reads every level without the
// engine's speed-up for the grouping tree, for comparison. The sections are statements, tree,
// collation, access and xlsx; all of them run by default.

#include "AccessLoad.h"
#include "Arguments.h"
#include "CollationCost.h"
#include "DrillDown.h"
#include "Report.h"
#include "SalesSource.h"
#include "Stopwatch.h"
#include "TreeClicks.h"
#include "XlsxLoad.h"
#include "app/ProcessStart.h"
#include "data/Connection.h"
#include "data/Error.h"
#include "data/jet/RowCounter.h"
#include "data/jet/Translate.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <thread>

namespace {

using namespace bench;

struct Options : Counts {
    int loadRuns = 3;
    bool showSql = false;
    bool speedup = true;
    QStringList sections = {"statements", "tree", "collation", "access", "xlsx"};
    bool wants(const char* section) const { return sections.contains(QLatin1String(section)); }
};

Options readOptions(const QStringList& arguments) {
    Options options;
    for (const QString& argument : arguments.mid(1)) {
        if (readCounts(argument, options))
            continue;
        if (argument == QStringLiteral("--sql"))
            options.showSql = true;
        else if (argument == QStringLiteral("--no-speedup"))
            options.speedup = false;
        else if (argument.startsWith(QStringLiteral("--only=")))
            options.sections = argument.mid(7).split(u',');
    }
    return options;
}

std::unique_ptr<data::jet::JetProvider> newProvider(std::shared_ptr<SalesSource> source) {
    return std::make_unique<data::jet::JetProvider>(source, [] {
        return std::vector<data::TableEntry>{
            {SalesSource::TableName, QStringLiteral("TABLE")},
            {SalesSource::AccentedTableName, QStringLiteral("TABLE")}};
    });
}

// A connection, as the window holds one, over the provider that has the table loaded.
std::shared_ptr<data::Connection> connectTo(std::unique_ptr<data::jet::JetProvider> provider) {
    const QString name = QStringLiteral("Quarrymere.Bench.Sales");
    auto handed = std::make_shared<std::unique_ptr<data::Provider>>(std::move(provider));
    data::registerProvider(
        name, [handed](const data::ConnectionString&, int) { return std::move(*handed); });
    auto connection = std::make_shared<data::Connection>();
    connection->Open(QStringLiteral("Provider=") + name);
    return connection;
}

data::jet::JetProvider& jetProvider(data::Connection& connection) {
    return static_cast<data::jet::JetProvider&>(connection.provider());
}

// Loads the table into fresh engines; the provider of the last load stays for the queries.
std::unique_ptr<data::jet::JetProvider> timeLoad(const std::shared_ptr<SalesSource>& source,
                                                 const Options& options) {
    std::vector<Timing> making;
    for (int run = 0; run < options.loadRuns; ++run) {
        data::jet::RowCounter sink; // what making the rows costs without the engine
        making.push_back(timeOf([&] { source->load(QStringLiteral("Sales"), sink); }));
    }
    std::unique_ptr<data::jet::JetProvider> provider;
    std::vector<Timing> loading;
    for (int run = 0; run < options.loadRuns; ++run) {
        provider.reset();
        provider = newProvider(source);
        loading.push_back(timeOf([&] { provider->engine().findTable(QStringLiteral("Sales")); }));
    }
    printHeading(QStringLiteral("Load of %1 synthetic rows (median of %2)")
                     .arg(options.rows)
                     .arg(options.loadRuns));
    printTableHead({QStringLiteral("What"), QStringLiteral("Processor (ms)"),
                    QStringLiteral("Wall (ms)"), QStringLiteral("Rows per second (wall)")});
    for (const auto& [what, timings] :
         {std::pair{QStringLiteral("Making the rows alone (no engine)"), making},
          std::pair{QStringLiteral("Loading them into the engine (making included)"), loading}}) {
        const Timing t = median(timings);
        printTableRow({what, milliseconds(t.cpu), milliseconds(t.wall),
                       QString::number(qint64(options.rows / t.wall))});
    }
    return provider;
}

void describeData(data::jet::Engine& engine) {
    data::jet::Statement shape = engine.prepare(
        "SELECT count(*), count(DISTINCT Region), count(DISTINCT City), count(DISTINCT Customer), "
        "sum(Region IS NULL), sum(City IS NULL), sum(Customer IS NULL), sum(OrderDate IS NULL), "
        "min(OrderDate), max(OrderDate), sum(Amount < 0) FROM Sales");
    shape.step();
    QStringList values;
    for (int i = 0; i < shape.columnCount(); ++i)
        values << shape.value(i).toString();
    printLine();
    printLine(QStringLiteral("Rows %1; distinct Region %2, City %3, Customer %4; Null Region %5, "
                             "City %6, Customer %7, OrderDate %8; dates %9 to %10; negative "
                             "amounts %11.")
                  .arg(values[0], values[1], values[2], values[3], values[4], values[5], values[6],
                       values[7], values[8], values[9], values[10]));
}

void timeStatements(data::jet::JetProvider& provider, const SalesSource& source,
                    const Options& options) {
    const std::vector<StatementPair> pairs = drillDownStatements(source, 12345);
    printHeading(QStringLiteral("Drill-down statements (median of %1 runs)").arg(options.runs));
    printTableHead({QStringLiteral("Statement"), QStringLiteral("Rows"), QStringLiteral("Jet (ms)"),
                    QStringLiteral("Native (ms)"), QStringLiteral("Ratio of medians"),
                    QStringLiteral("Paired ratio"), QStringLiteral("Wall: Jet / native (ms)"),
                    QStringLiteral("Within 1.25x")});
    bool allMet = true;
    for (const PairTiming& t : timeDrillDown(provider, pairs, options.runs)) {
        const bool met = t.pairedRatio <= RatioGoal;
        allMet = allMet && met;
        printTableRow(
            {t.label + (t.agree ? QString() : QStringLiteral(" (RESULTS DIFFER)")),
             QString::number(t.rows), milliseconds(t.jet.cpu), milliseconds(t.native.cpu),
             ratio(t.jet.cpu, t.native.cpu), QString::number(t.pairedRatio, 'f', 2) + u'x',
             milliseconds(t.jet.wall) + QStringLiteral(" / ") + milliseconds(t.native.wall),
             met ? QStringLiteral("yes") : QStringLiteral("no")});
    }
    printLine();
    printLine(QStringLiteral("Times are processor time of the running thread. The goal is judged "
                             "on the paired ratio."));
    printLine(allMet ? QStringLiteral("Every statement within 1.25x of native.")
                     : QStringLiteral("Some statements miss the 1.25x goal."));
    if (!options.showSql)
        return;
    printHeading(QStringLiteral("Statements"));
    for (const StatementPair& pair : pairs) {
        printLine(QStringLiteral("- ") + pair.label);
        printLine(QStringLiteral("  - Jet: `") + pair.jet + u'`');
        printLine(QStringLiteral("  - translated: `") +
                  QString::fromUtf8(data::jet::translate(pair.jet, provider.engine()).sqliteSql) +
                  u'`');
        printLine(QStringLiteral("  - native: `") + pair.native + u'`');
    }
}

// Tree orders: the grid's columns in the order the tree groups by them.
const std::vector<TreeOrder> TreeOrders = {
    {QStringLiteral("Places: Region, City, Customer, OrderDate by Month, Amount, ..."),
     {"Region", "City", "Customer", "OrderDate", "Amount", "Qty", "Paid"},
     data::DateGroup::Month,
     4},
    {QStringLiteral("Regions with amounts: Region, Amount, City, ..."),
     {"Region", "Amount", "City", "Customer", "OrderDate", "Qty", "Paid"},
     data::DateGroup::Month,
     1},
    {QStringLiteral("Months: OrderDate by Month, Amount, Region, City, ..."),
     {"OrderDate", "Amount", "Region", "City", "Customer", "Qty", "Paid"},
     data::DateGroup::Month,
     3},
    {QStringLiteral("Amounts first: Amount, Region, ..."),
     {"Amount", "Region", "City", "Customer", "OrderDate", "Qty", "Paid"},
     data::DateGroup::Month,
     0},
};

// The goal of a click by the level it builds: the root and level 1 within 150 ms, deeper ones
// within 10 ms.
double clickGoal(const ClickTiming& click) {
    return click.root || click.depth == 0 ? 0.150 : 0.010;
}

// Each order's clicks without the index and with it, and what building the index took.
void timeTree(const std::shared_ptr<data::Connection>& connection, const Options& options) {
    const QString recordSource = u'[' + SalesSource::TableName + u']';
    printHeading(QStringLiteral("Grouping tree clicks (median of %1 runs)").arg(options.runs));
    for (const TreeOrder& order : TreeOrders) {
        prepareGrouping(connection, recordSource, nullptr);
        const std::vector<ClickTiming> before =
            timeClicks(connection, recordSource, order, options.runs);
        const IndexBuild index = prepareGrouping(connection, recordSource, &order);
        const std::vector<ClickTiming> after =
            timeClicks(connection, recordSource, order, options.runs);
        printLine(QStringLiteral("**") + order.name + QStringLiteral("**"));
        printLine();
        printLine(QStringLiteral("Index build: %1 ms processor, %2 ms wall; the engine's memory "
                                 "grew by %3 MiB to %4 MiB.")
                      .arg(milliseconds(index.time.cpu), milliseconds(index.time.wall))
                      .arg(index.megabytes, 0, 'f', 1)
                      .arg(index.totalMegabytes, 0, 'f', 1));
        printLine();
        printTableHead({QStringLiteral("Click"), QStringLiteral("Nodes"),
                        QStringLiteral("Statistics"), QStringLiteral("Without index (ms)"),
                        QStringLiteral("With index (ms)"), QStringLiteral("Fastest with (ms)"),
                        QStringLiteral("Wall with (ms)"), QStringLiteral("Goal (ms)"),
                        QStringLiteral("Met")});
        for (std::size_t i = 0; i < after.size() && i < before.size(); ++i) {
            const ClickTiming& click = after[i];
            const double goal = clickGoal(click);
            printTableRow(
                {click.label + (click.nodes == before[i].nodes ? QString()
                                                               : QStringLiteral(" (NODES DIFFER)")),
                 QString::number(click.nodes),
                 click.statistics ? QStringLiteral("yes") : QStringLiteral("no"),
                 milliseconds(before[i].time.cpu), milliseconds(click.time.cpu),
                 milliseconds(click.fastest), milliseconds(click.time.wall), milliseconds(goal),
                 click.time.cpu <= goal ? QStringLiteral("yes") : QStringLiteral("no")});
        }
        printLine();
    }
    printLine(QStringLiteral("Memory freed by dropping an index is kept by the engine and used "
                             "again for the next one."));
    prepareGrouping(connection, recordSource, nullptr);
}

void timeCollationCost(data::jet::Engine& engine, const Options& options) {
    printHeading(QStringLiteral("Text collation: JETTEXT against BINARY (median of %1 runs)")
                     .arg(options.runs));
    printTableHead({QStringLiteral("Statement"), QStringLiteral("Table"), QStringLiteral("Rows"),
                    QStringLiteral("JETTEXT (ms)"), QStringLiteral("BINARY (ms)"),
                    QStringLiteral("Paired ratio")});
    for (const CollationTiming& t : timeCollation(engine, options.runs))
        printTableRow({t.label, t.table, QString::number(t.rows), milliseconds(t.jetText.cpu),
                       milliseconds(t.binary.cpu), QString::number(t.pairedRatio, 'f', 2) + u'x'});
    printLine();
    printTableHead({QStringLiteral("Comparison of a customer name with the"),
                    QStringLiteral("JETTEXT (ns)"), QStringLiteral("Unicode path only (ns)"),
                    QStringLiteral("memcmp (ns)")});
    for (const ComparisonTiming& t : timeComparisons(options.runs))
        printTableRow({t.label, QString::number(t.jetText, 'f', 1),
                       QString::number(t.unicodeOnly, 'f', 1), QString::number(t.binary, 'f', 1)});
}

void timeAccess(const Options& options) {
    const QString path = QStringLiteral(QUARRYMERE_FIXTURES "/access/nwind.mdb");
    printHeading(QStringLiteral("Access file: every table of nwind.mdb (median of %1 runs)")
                     .arg(options.runs));
    if (!QFileInfo::exists(path)) {
        printLine(QStringLiteral("Skipped: %1 is absent.").arg(path));
        return;
    }
    const AccessLoadTiming t = timeAccessLoad(path, options.runs);
    printLine(QStringLiteral("%1 tables, %2 rows: %3.")
                  .arg(t.tables.size())
                  .arg(t.rows)
                  .arg(t.tables.join(QStringLiteral(", "))));
    printLine();
    printTableHead(
        {QStringLiteral("What"), QStringLiteral("Processor (ms)"), QStringLiteral("Wall (ms)")});
    printTableRow({QStringLiteral("Access reader into the engine"), milliseconds(t.engine.cpu),
                   milliseconds(t.engine.wall)});
    if (!t.mdbExportFound) {
        printLine();
        printLine(QStringLiteral("mdb-export not found (Debian package mdbtools): no comparison."));
        return;
    }
    printTableRow({QStringLiteral("mdb-export, one process per table"),
                   milliseconds(t.mdbExport.cpu), milliseconds(t.mdbExport.wall)});
    printLine();
    printLine(
        QStringLiteral("Reader into engine / mdb-export: %1 in processor time, %2 on the "
                       "wall clock.")
            .arg(ratio(t.engine.cpu, t.mdbExport.cpu), ratio(t.engine.wall, t.mdbExport.wall)));
}

void timeXlsx(const Options& options) {
    printHeading(QStringLiteral("Excel 2007 workbook: a sheet of %1 rows by 8 columns (median of "
                                "%2 runs)")
                     .arg(options.rows)
                     .arg(options.runs));
    const XlsxLoadTiming t = timeXlsxLoad(options.rows, options.runs);
    printLine(QStringLiteral("The workbook takes %1 MB, its sheet's XML %2 MB unpacked.")
                  .arg(t.fileBytes >> 20)
                  .arg(t.sheetBytes >> 20));
    printLine();
    printTableHead({QStringLiteral("What"), QStringLiteral("Processor (ms)"),
                    QStringLiteral("Wall (ms)"), QStringLiteral("Rows a second (wall)")});
    printTableRow({QStringLiteral("Open, describe and load into the engine"),
                   milliseconds(t.load.cpu), milliseconds(t.load.wall),
                   QString::number(qRound64(double(t.rows) / t.load.wall))});
    printLine();
    printLine(QStringLiteral("Peak memory rose by %1 MB over the first load.")
                  .arg(t.peakGrowthKb / 1024));
}

} // namespace

int main(int argc, char** argv) {
    app::ProcessStart start(argc, argv, app::ProcessStart::Platform::None,
                            app::ProcessStart::SettingsStore::User);
    QCoreApplication& app = start.application();
    const Options options = readOptions(app.arguments());
    data::jet::JetProvider::setSpeedupEnabled(options.speedup);
    printLine(QStringLiteral("# Quarrymere benchmark"));
    printLine();
    printLine(QStringLiteral("%1 cores; %2 rows; %3 runs per statement.")
                  .arg(std::thread::hardware_concurrency())
                  .arg(options.rows)
                  .arg(options.runs));
    try {
        // First, before the sales table takes its memory.
        if (options.wants("xlsx"))
            timeXlsx(options);
        const auto source = std::make_shared<SalesSource>(options.rows);
        const auto connection = connectTo(timeLoad(source, options));
        data::jet::JetProvider& provider = jetProvider(*connection);
        describeData(provider.engine());
        if (options.wants("statements"))
            timeStatements(provider, *source, options);
        if (options.wants("tree"))
            timeTree(connection, options);
        if (options.wants("collation"))
            timeCollationCost(provider.engine(), options);
        if (options.wants("access"))
            timeAccess(options);
    } catch (const data::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
