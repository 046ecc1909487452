// The grouping tree over worksheets, through the program's own workbook driver and the
// statements of the ODBC bridge's dialect.
#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "data/SqlName.h"
#include "data/ValueText.h"
#include "data/odbc/DriverList.h"
#include "data/workbook/WorkbookFixtures.h"
#include "grid/DetailSql.h"
#include "tree/LocaleScope.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

namespace {

std::shared_ptr<data::Connection> openWorkbook(const QString& workbook) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::excelConnectionString(data::odbc::BuiltInWorkbookDriver, workbook));
    return connection;
}

test::TreeInvariant sheetTree(const QString& workbook, const QString& sheet) {
    return test::TreeInvariant(openWorkbook(workbook), data::bracketedName(sheet + "$"),
                               data::Dialect::OdbcBridge);
}

using WorkbookTree = test::workbook::WithMadeWorkbooks;

} // namespace

TEST_F(WorkbookTree, EveryNodeOfTheWrittenSheetsSelectsItsOwnRowsAndNamesReadAsThemselves) {
    // Texts, numbers, truth values and formula results with nulls and a blank row.
    test::TreeInvariant types = sheetTree(madeWorkbook("types.xls"), "Sheet1");
    EXPECT_GT(types.check({"Region", "Amount", "Paid", "Total"}, "None"), 0);
    EXPECT_GT(types.check({"Paid", "Status", "Note", "Amount"}, "None"), 0);
    // Dates, times and both, grouped by each granularity; days beyond 2100. (The sheets of
    // workbooks made by others are read in WorkbookFileTest; their rows group as these do.)
    test::TreeInvariant dates = sheetTree(madeWorkbook("types.xls"), "Dates");
    test::TreeInvariant late = sheetTree(madeWorkbook("types.xls"), "Exact");
    for (const char* dateGroup : {"None", "Year", "Quarter", "Month", "Week", "Day", "Hour"}) {
        SCOPED_TRACE(dateGroup);
        EXPECT_GT(dates.check({"Day", "Moment", "Clock", "AnyDate"}, dateGroup), 0);
        EXPECT_GT(late.check({"Late", "Shown", "Hours"}, dateGroup), 0);
    }

    // Headers and a sheet's name holding brackets, quotes, a dot and blanks read as themselves:
    // each column groups by its own cells, with the next column's statistics over them, and the
    // grid's statement reads those cells, not another sheet's (Copy's: DrillTest).
    test::LocaleScope region(test::UnitedStates);
    const auto connection = openWorkbook(madeWorkbook("names.xls"));
    const QString sheet = data::bracketedName("Other$] AS [t$");
    const QString sum = "Amount] * 1000 + [Amount";
    // The columns grouped by, first the level's and then the next one's, and what the cells make
    // of the root and the first level.
    const struct {
        QStringList order;
        QString root;
        QStringList level;
    } cases[] = {
        {{sum, "Unit.Price"},
         "Quarrymere (4; Min: 5.00; Max: 7.00; Avg: 5.67; Sum: 17.00)",
         {"<<NULL>> (1; Min: 1.50; Max: 1.50; Avg: 1.50; Sum: 1.50)",
          "5 (2; Min: 1.50; Max: 2.50; Avg: 2.00; Sum: 4.00)",
          "7 (1; Min: 1.50; Max: 1.50; Avg: 1.50; Sum: 1.50)"}},
        {{"Na]me", "[Bracketed]"},
         "Quarrymere (4)",
         {"x (2; Min: 10.00; Max: 10.00; Avg: 10.00; Sum: 20.00)",
          "y (1; Min: 20.00; Max: 20.00; Avg: 20.00; Sum: 20.00)",
          "z (1; Min: 20.00; Max: 20.00; Avg: 20.00; Sum: 20.00)"}},
        {{"Joe's \"Q\"", "Amount"},
         "Quarrymere (4)",
         {"<<NULL>> (1; Min: 2.00; Max: 2.00; Avg: 2.00; Sum: 2.00)",
          "q1 (2; Min: 1.00; Max: 2.00; Avg: 1.50; Sum: 3.00)",
          "q2 (1; Min: 3.00; Max: 3.00; Avg: 3.00; Sum: 3.00)"}},
        {{"Two Words", sum},
         "Quarrymere (4)",
         {"a b (2; Min: 5.00; Max: 5.00; Avg: 5.00; Sum: 10.00)",
          "c (2; Min: 7.00; Max: 7.00; Avg: 7.00; Sum: 7.00)"}},
        {{"Unit.Price", "Two Words"},
         "Quarrymere (4; Min: 1.50; Max: 2.50; Avg: 1.75; Sum: 7.00)",
         {"1.5 (3)", "2.5 (1)"}},
        {{"[Bracketed]", "Na]me"},
         "Quarrymere (4; Min: 10.00; Max: 20.00; Avg: 15.00; Sum: 60.00)",
         {"10 (2)", "20 (2)"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order.join(" | ").toStdString());
        tree::GroupingModel grouping;
        grouping.open(connection, sheet, data::Dialect::OdbcBridge, c.order);
        EXPECT_EQ(tree::rootLabel(grouping.readRoot(connection)), c.root);
        EXPECT_EQ(test::firstLevelLabels(connection, sheet, data::Dialect::OdbcBridge, c.order),
                  c.level);
        // Below the first level too, every node selects its own rows.
        EXPECT_GT(test::TreeInvariant(connection, sheet, data::Dialect::OdbcBridge)
                      .check(c.order, "None"),
                  0);
    }

    // The grid's rows: the cells as the sheet holds them.
    data::Recordset structure;
    structure.Open(data::structureSql(sheet), connection);
    tree::GroupingModel grouping;
    grouping.open(sheet, data::Dialect::OdbcBridge, structure);
    const QStringList cells = {"1\t5\tx\tq1\t10\t1.5\ta b", "2\t5\ty\t\t20\t2.5\ta b",
                               "2\t7\tx\tq1\t10\t1.5\tc", "3\t\tz\tq2\t20\t1.5\tc"};
    QStringList shown;
    data::Recordset rows;
    rows.Open(grid::listBuildDataSql(grouping.ColInfo, grouping.FieldCount, sheet, {}), connection);
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList row;
        for (int i = 0; i < rows.fieldCount(); ++i)
            row << data::valueText(rows.Fields(i).Value(), rows.Fields(i).Type);
        shown << row.join('\t');
    }
    EXPECT_EQ(shown, cells);
}
