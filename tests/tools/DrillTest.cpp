// quarrymere-drill run as a process on an Access file and on a workbook the tests write: the tree
// it prints, the check of every node, and the runs it refuses.
#include "QtPrinters.h"
#include "data/access/AccessFixtures.h"
#include "data/workbook/WorkbookFixtures.h"
#include "support/DrillRun.h"
#include "support/FileCopies.h"

#include <QTemporaryDir>

using test::runDrill;

namespace {

QStringList onNwind(const QString& table, const QStringList& more) {
    return QStringList{"--access", test::access::accessFixture("nwind.mdb"), "--table", table} +
           more;
}

class DrillOnNwind : public test::access::WithAccessFixtures {};
class DrillOnWorkbook : public test::workbook::WithMadeWorkbooks {};

} // namespace

TEST_F(DrillOnNwind, PrintsEveryLevelItClickedOpenAndChecksEachNode) {
    test::DrillRun run = runDrill(onNwind("Shippers", {"--all", "--check", "--locale", "en_US"}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out.toStdString(), "Quarrymere (3; Min: 1.00; Max: 3.00; Avg: 2.00; Sum: 6.00)\n"
                                     "\t1 (1)\n"
                                     "\t\tSpeedy Express (1)\n"
                                     "\t\t\t(503) 555-9831 (1)\n"
                                     "\t2 (1)\n"
                                     "\t\tUnited Package (1)\n"
                                     "\t\t\t(503) 555-3199 (1)\n"
                                     "\t3 (1)\n"
                                     "\t\tFederal Shipping (1)\n"
                                     "\t\t\t(503) 555-9931 (1)\n"
                                     "checked 10 nodes: 0 violations\n");
    EXPECT_EQ(run.err, "");
    // A table of Access 2019 with Date/Time Extended and calculated dates drills whole.
    run = runDrill({"--access", test::access::accessFixture("extDateTestV2019.accdb"), "--table",
                    "Table1", "--all", "--check"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.endsWith("checked 55 nodes: 0 violations\n")) << run.out.toStdString();
}

// A message box at a click is a violation, which ends the run with status 1; a table the source
// lacks, a saved query the engine cannot answer and a node the tree lacks end it with status 2
// and the reason.
TEST_F(DrillOnNwind, AMessageBoxAtAClickIsAViolationAndWhatCannotBeDrilledEndsTheRun) {
    const test::DrillRun run = runDrill(onNwind("Categories", {"--all", "--check"}));
    EXPECT_EQ(run.status, 1);
    // The pictures cannot be grouped: each description node says so when clicked.
    const QStringList violations = run.lines().filter(": message box ");
    ASSERT_EQ(violations.size(), 8);
    for (const QString& line : violations)
        EXPECT_TRUE(line.endsWith("\"Cannot Group Column\": The Database you are connected to "
                                  "does not support grouping on the following column Picture."))
            << line.toStdString();
    EXPECT_TRUE(violations[0].contains(" / Beverages (1) / ")) << violations[0].toStdString();
    EXPECT_EQ(run.lastLine(), "checked 25 nodes: 8 violations");
    EXPECT_EQ(run.err.count("\"Cannot Group Column\""), 8);

    const std::pair<QStringList, QStringList> runs[] = {
        {onNwind("Shipper", {}),
         {"The source has no table \"Shipper\"; its tables are: ", ", Shippers, "}},
        {onNwind("Sales by Year", {"--all", "--check"}),
         {"The query \"Sales by Year\" asks for parameters, which are not supported.\n"}},
        {onNwind("Shippers", {"--depth", "1", "--select", "2 / United Package"}),
         {"The tree has no node \"2 / United Package\".\n"}},
    };
    for (const auto& [arguments, message] : runs) {
        const test::DrillRun failed = runDrill(arguments);
        EXPECT_EQ(failed.status, 2);
        for (const QString& part : message)
            EXPECT_TRUE(failed.err.contains(part)) << failed.err.toStdString();
    }
}

// Each move through the header is followed by the same clicks again; the tree printed is the
// one in the last order, every node of it checked against the source.
TEST_F(DrillOnNwind, ColumnsMovedRegroupTheTreeAndASelectedNodeIsCopied) {
    test::DrillRun run = runDrill(onNwind("Shippers", {"--depth", "3", "--move", "2-2:0", "--move",
                                                       "1-1:3", "--check", "--locale", "en_US"}));
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    ASSERT_GT(run.lines().size(), 4);
    EXPECT_EQ(run.lines().mid(0, 5),
              QStringList({"columns: Phone | CompanyName | ShipperID", "Quarrymere (3)",
                           "\t(503) 555-3199 (1)",
                           "\t\tUnited Package (1; Min: 2.00; Max: 2.00; Avg: 2.00; Sum: 2.00)",
                           "\t\t\t2 (1)"}));
    EXPECT_EQ(run.lastLine(), "checked 10 nodes: 0 violations");

    // A node selected by its values, its level opened by the click, and Edit > Copy of the tree
    // at that node, written to a file as the clipboard holds it.
    QTemporaryDir folder;
    const QString copied = folder.filePath("copied.txt");
    run = runDrill(onNwind("Shippers", {"--depth", "1", "--select", "2", "--copy", "tree",
                                        "--copy-to", copied, "--locale", "en_US"}));
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("\t2 (1)\n\t\tUnited Package (1)\n\t3 (1)\n"));
    EXPECT_EQ(test::contentsOf(copied), "2 (1)\n\tUnited Package (1)\n");
}

// Saved queries as record sources: every node of the tree holds against the rows the query
// gives, counted afresh through the engine's own statements. A join of two tables with criteria;
// criteria on a table under an alias; an expression column, Sum over the 1995 sales of another
// saved query; TOP 10 by price, under the column's alias.
TEST_F(DrillOnNwind, SavedQueriesWithJoinsCriteriaAndExpressionsHoldAtEveryNode) {
    const struct {
        const char* query;
        QStringList first;
        const char* last;
    } cases[] = {
        {"Products by Category",
         {"Quarrymere (69)", "\tBeverages (11)", "\t\tChai (1)"},
         "checked 285 nodes: 0 violations"},
        {"Current Product List",
         {"Quarrymere (69; Min: 1.00; Max: 77.00; Avg: 40.52; Sum: 2,796.00)"},
         "checked 139 nodes: 0 violations"},
        {"Category Sales for 1995",
         {"Quarrymere (8)",
          "\tBeverages (1; Min: 104,737.68; Max: 104,737.68; Avg: 104,737.68; Sum: 104,737.68)",
          "\t\t104737.68 (1)"},
         "checked 17 nodes: 0 violations"},
        {"Ten Most Expensive Products", {"Quarrymere (10)"}, "checked 21 nodes: 0 violations"},
    };
    for (const auto& c : cases) {
        const test::DrillRun run =
            runDrill(onNwind(c.query, {"--all", "--check", "--locale", "en_US"}));
        EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
        EXPECT_EQ(run.lines().mid(0, c.first.size()), c.first) << c.query;
        EXPECT_EQ(run.lastLine(), c.last) << c.query;
        EXPECT_EQ(run.err, "");
    }
}

TEST(Drill, BadArgumentsAndAFileThatCannotBeOpenedEndTheRunWithStatus2) {
    const QString missing = QStringLiteral("/nonexistent/nothing.mdb");
    const std::vector<std::pair<QStringList, QString>> runs = {
        {{"--access", missing, "--table", "T", "--colour", "red"}, "unknown argument \"--colour\""},
        {{"--access", missing, "--table", "T", "--depth", "2", "--all"},
         "--depth and --all cannot be given together"},
        {{"--excel", missing, "--table", "T", "--date-group", "Fortnight"},
         "--date-group takes one of None|Second|Minute|Hour|Day|Week|Month|Quarter|Year"},
        {{"--access", missing, "--table", "T", "--move", "2-1:0"}, "--move takes START-END:GAP"},
        // The program's own message for a file it cannot open.
        {{"--access", missing, "--table", "T"}, "Could not find file '" + missing + "'."},
    };
    for (const auto& [arguments, message] : runs) {
        const test::DrillRun run = runDrill(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.contains(message)) << run.err.toStdString();
    }
}

// The same table as an .xls and an .xlsx workbook drills to the same tree, line for line, every
// node of it checked. (The dates an .xlsx workbook's formats show are read in XlsxFileTest, and
// grouped by every granularity from the .xls sheet in WorkbookTreeTest.)
TEST_F(DrillOnWorkbook, AnXlsxWorkbookDrillsAsTheSameCellsInAnXlsWorkbook) {
    const QStringList options{"--table", "Sheet1$", "--all", "--check", "--locale", "en_US"};
    const test::DrillRun old = runDrill(QStringList{"--excel", madeWorkbook("twin.xls")} + options);
    const test::DrillRun run =
        runDrill(QStringList{"--excel", madeWorkbook("twin.xlsx")} + options);
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(run.lines(), old.lines());
    EXPECT_TRUE(run.lastLine().endsWith(" nodes: 0 violations"));
}
