// Quarrymere's detail benchmark: the time from a node click to the first screen of its rows in
// the grid of the real window (offscreen), and the process's memory, over a synthetic Sales
// table of N rows in the engine; then Edit > Copy of grid columns of every row at the root, its
// rows per second and the memory it takes beside the size of the text. One row count per
// process, so that the peak memory is that run's own. Prints Markdown.
//
//   quarrymere_detail_bench [--rows=N] [--runs=N] [--server [--whole-results] | --moves]
//
// --server puts the table on a private PostgreSQL server instead and connects through psqlODBC
// in the Oracle dialect, its data source reading results in batches; --whole-results leaves
// psqlODBC's default, which reads a whole result before handing over its first row. --moves
// times column moves through the grid's header instead of node clicks and copies.

#include "Arguments.h"
#include "Memory.h"
#include "MoveTimes.h"
#include "OffscreenMain.h"
#include "Report.h"
#include "SalesConnection.h"
#include "SalesSource.h"
#include "ServerSales.h"
#include "Stopwatch.h"
#include "WindowDrill.h"
#include "data/Ado.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "server/ServedDatabase.h"

namespace {

using namespace bench;

struct Options : Counts {
    bool server = false;
    bool wholeResults = false;
    bool moves = false;
};

Options readOptions(const QStringList& arguments) {
    Options options;
    for (const QString& argument : arguments.mid(1)) {
        if (readCounts(argument, options))
            continue;
        if (argument == QStringLiteral("--server"))
            options.server = true;
        else if (argument == QStringLiteral("--whole-results"))
            options.wholeResults = true;
        else if (argument == QStringLiteral("--moves"))
            options.moves = true;
    }
    return options;
}

struct Row {
    QString what;
    qint64 rowsBehind;
    Timing firstScreen;
};

std::shared_ptr<data::Connection> connectToServer() {
    const test::server::DataSource& source = test::server::dataSource();
    auto connection = std::make_shared<data::Connection>();
    connection->Mode = data::ado::adModeRead;
    connection->Open(data::oracleConnectionString(source.dsn, source.user, source.password));
    return connection;
}

// Edit > Copy of grid columns at the root, every row of the table: each copy timed from the
// command to the text on the clipboard, and the memory it took at its peak beside the text's
// own size (UTF-16), the previous copy's text let go of first.
void copyAtRoot(WindowDrill& window, const Options& options) {
    window.click(window.root());
    printHeading(QStringLiteral("Edit > Copy of grid columns at the root: %1 rows (median of %2)")
                     .arg(options.rows)
                     .arg(options.runs));
    printTableHead({QStringLiteral("Columns"), QStringLiteral("Text (MiB)"),
                    QStringLiteral("Processor (ms)"), QStringLiteral("Wall (ms)"),
                    QStringLiteral("Rows per second (wall)"),
                    QStringLiteral("Peak above the start (MiB)"), QStringLiteral("Peak / text")});
    for (const auto& [first, last] :
         {std::pair{0, 2}, std::pair{3, 4}, std::pair{4, 4}, std::pair{3, 3}}) {
        std::vector<Timing> copies;
        double peakAbove = 0;
        QString header;
        double textMiB = 0;
        for (int i = 0; i < options.runs; ++i) {
            window.emptyClipboard();
            const double startMiB = residentMiB();
            resetPeak();
            copies.push_back(timeOf([&] {
                const QString& text = window.copyGrid(first, last);
                header = text.left(text.indexOf(u'\n'));
                textMiB = double(text.size()) * sizeof(QChar) / (1024 * 1024);
            }));
            peakAbove = std::max(peakAbove, peakMiB() - startMiB);
        }
        const Timing copy = median(copies);
        printTableRow({header.replace(u'\t', QStringLiteral(", ")),
                       QString::number(textMiB, 'f', 1), milliseconds(copy.cpu),
                       milliseconds(copy.wall), QString::number(qint64(options.rows / copy.wall)),
                       QString::number(peakAbove, 'f', 1),
                       QString::number(peakAbove / textMiB, 'f', 2)});
    }
    window.emptyClipboard();
}

// The grid's ends at the root, every row of the table: Ctrl+End timed from the key to the last
// screen painted (after a Ctrl+Home each time), and the memory after the grid has been scrolled
// through every row, a page of the reading at a time, beside the memory at its first screen.
void gridEnds(WindowDrill& window, const Options& options) {
    window.click(window.root());
    const double firstScreenMiB = residentMiB();
    std::vector<Timing> ends;
    for (int i = 0; i < options.runs; ++i) {
        window.gridKey(Qt::Key_Home, Qt::ControlModifier);
        ends.push_back(timeOf([&] { window.gridKey(Qt::Key_End, Qt::ControlModifier); }));
    }
    const bool atEnd = window.lastGridRowShown() == window.gridRows() - 1;
    const int pages = window.scrollGridThrough();
    const double scrolledMiB = residentMiB();
    printHeading(QStringLiteral("The grid's ends at the root: %1 rows (median of %2)")
                     .arg(options.rows)
                     .arg(options.runs));
    printTableHead({QStringLiteral("Ctrl+End: processor (ms)"), QStringLiteral("Wall (ms)"),
                    QStringLiteral("Last row shown"), QStringLiteral("Screens scrolled through"),
                    QStringLiteral("Memory at the first screen (MiB)"),
                    QStringLiteral("After scrolling through (MiB)")});
    const Timing end = median(ends);
    printTableRow({milliseconds(end.cpu), milliseconds(end.wall),
                   atEnd ? QStringLiteral("yes") : QStringLiteral("no"), QString::number(pages),
                   QString::number(firstScreenMiB, 'f', 1), QString::number(scrolledMiB, 'f', 1)});
}

void run(const Options& options) {
    std::unique_ptr<test::server::ServedDatabase> served;
    if (options.server)
        served = std::make_unique<test::server::ServedDatabase>(
            serverSalesSql(options.rows), options.wholeResults
                                              ? test::server::ServedDatabase::Results::Whole
                                              : test::server::ServedDatabase::Results::InBatches);
    const double startMiB = residentMiB();
    Timing open;
    std::unique_ptr<WindowDrill> window;
    open = timeOf([&] {
        if (options.server)
            window = std::make_unique<WindowDrill>(connectToServer(), data::OracleProvider,
                                                   QStringLiteral("sales.big"));
        else
            window = std::make_unique<WindowDrill>(
                connectToSales(std::make_shared<SalesSource>(options.rows)), data::JetProvider,
                QStringLiteral("Sales"));
    });
    const double openedMiB = residentMiB();
    if (options.moves) {
        runMoveTimes(*window, options);
        return;
    }

    // Build the levels down to a deep node once; the timed clicks then only load rows.
    const tree::NodePtr root = window->root();
    const tree::NodePtr region = window->largestChild(root);
    tree::NodePtr deep = region;
    for (int depth = 1; depth < 3; ++depth)
        deep = window->largestChild(deep);
    window->click(deep); // builds the level below it
    const double builtMiB = residentMiB();

    std::vector<Timing> rootClicks;
    std::vector<Timing> regionClicks;
    std::vector<Timing> deepClicks;
    for (int i = 0; i < options.runs; ++i) {
        rootClicks.push_back(window->click(root));
        regionClicks.push_back(window->click(region));
        deepClicks.push_back(window->click(deep));
    }
    const double afterMiB = residentMiB();

    printHeading(QStringLiteral("Details of a node: %1 rows %2 (median of %3 clicks)")
                     .arg(options.rows)
                     .arg(!options.server        ? QStringLiteral("in the engine")
                          : options.wholeResults ? QStringLiteral("on the server, whole results")
                                                 : QStringLiteral("on the server"))
                     .arg(options.runs));
    printLine(QStringLiteral("Opening the table through the picker (load, root, empty grid): "
                             "%1 ms processor, %2 ms wall.")
                  .arg(milliseconds(open.cpu), milliseconds(open.wall)));
    printLine();
    printTableHead({QStringLiteral("Click"), QStringLiteral("Rows behind the node"),
                    QStringLiteral("Processor (ms)"), QStringLiteral("Wall (ms)")});
    for (const Row& row :
         {Row{QStringLiteral("Root"), WindowDrill::countOf(root), median(rootClicks)},
          Row{QStringLiteral("Depth 1 node"), WindowDrill::countOf(region), median(regionClicks)},
          Row{QStringLiteral("Depth 3 node"), WindowDrill::countOf(deep), median(deepClicks)}})
        printTableRow({row.what, QString::number(row.rowsBehind), milliseconds(row.firstScreen.cpu),
                       milliseconds(row.firstScreen.wall)});
    printLine();
    printTableHead({QStringLiteral("Memory (MiB)"), QStringLiteral("Resident")});
    for (const auto& [what, mib] :
         {std::pair{QStringLiteral("At start"), startMiB},
          std::pair{QStringLiteral("Table open, root built"), openedMiB},
          std::pair{QStringLiteral("Levels built down to depth 4"), builtMiB},
          std::pair{QStringLiteral("After all clicks"), afterMiB},
          std::pair{QStringLiteral("Peak of the process"), peakMiB()}})
        printTableRow({what, QString::number(mib, 'f', 1)});
    gridEnds(*window, options);
    copyAtRoot(*window, options);
}

} // namespace

int main(int argc, char** argv) {
    return bench::runOffscreen(argc, argv,
                               [](const QStringList& arguments) { run(readOptions(arguments)); });
}
