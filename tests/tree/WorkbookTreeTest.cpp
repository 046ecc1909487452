// The grouping tree over worksheets, through the program's own workbook driver and the
// statements of the ODBC bridge's dialect.
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/odbc/DriverList.h"
#include "data/workbook/WorkbookFixtures.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

namespace {

test::TreeInvariant sheetTree(const QString& workbook, const QString& sheet) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(data::excelConnectionString(data::odbc::BuiltInWorkbookDriver, workbook));
    return test::TreeInvariant(connection, "[" + sheet + "$]", data::Dialect::OdbcBridge);
}

using WorkbookTree = test::workbook::WithMadeWorkbooks;

} // namespace

TEST_F(WorkbookTree, EveryNodeOfTheWrittenSheetsSelectsItsOwnRows) {
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
}
