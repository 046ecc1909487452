// The grid's Copy without its window: the statement for a block of columns, and the text read
// from real sources, whose joined values must read as the grid shows them.
#include "data/ColumnTable.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "data/ValueText.h"
#include "data/access/AccessFixtures.h"
#include "data/odbc/DriverList.h"
#include "data/workbook/WorkbookFixtures.h"
#include "grid/CopyStatement.h"
#include "grid/CopyText.h"
#include "grid/DetailSql.h"
#include "support/DataFailure.h"
#include "tree/LocaleScope.h"

#include <gtest/gtest.h>

using data::Dialect;

namespace {

std::shared_ptr<data::Connection> connect(const QString& connectionString) {
    auto connection = std::make_shared<data::Connection>();
    connection->Open(connectionString);
    return connection;
}

// Copy of every column of the record source, joined by the source's own operator, against the
// texts the grid shows for the same rows read column by column.
void expectJoinedAsShown(const std::shared_ptr<data::Connection>& connection,
                         const QString& recordSource, Dialect dialect) {
    SCOPED_TRACE(recordSource.toStdString());
    data::Recordset structure;
    structure.Open(data::structureSql(recordSource), connection);
    data::ColInfoTable columns;
    const int count = data::fillColumnTable(columns, structure, dialect);
    const grid::CopyStatement copy =
        grid::copyStatement(columns, 0, count - 1, recordSource, dialect, {});
    QString expected = copy.header;
    data::Recordset rows;
    rows.Open(grid::listBuildDataSql(columns, count, recordSource, {}), connection);
    for (; !rows.Eof(); rows.MoveNext()) {
        QStringList cells;
        for (int i = 0; i < count; ++i)
            cells << data::valueText(rows.Fields(i).Value(), rows.Fields(i).Type);
        expected += cells.join('\t') + '\n';
    }
    EXPECT_EQ(grid::copyText(copy, connection), expected);
}

} // namespace

// The engine's & writes numbers, currency, Singles, dates, Booleans and Nulls as the grid shows
// them, in either region; a workbook's cells the same. (The statement's text in each dialect is
// read by the Copy tests of the window, the drill and the server.) A block past the column table
// is refused.
TEST(CopyText, JoinedValuesReadAsTheGridShowsThemAndABlockPastTheColumnTableIsRefused) {
    test::requireFixture("access/nwind.mdb");
    for (const QLocale& region : {test::UnitedStates, test::Germany}) {
        const test::LocaleScope scope(region);
        const auto nwind =
            connect(data::accessConnectionString(test::access::accessFixture("nwind.mdb")));
        for (const char* table : {"[Orders]", "[Order Details]", "[Products]"})
            expectJoinedAsShown(nwind, table, Dialect::Jet);
        const auto workbook = connect(data::excelConnectionString(
            data::odbc::BuiltInWorkbookDriver, test::workbook::sharedWorkbook("issue20.xls")));
        expectJoinedAsShown(workbook, "[Sheet1$]", Dialect::OdbcBridge);
    }
    EXPECT_EQ(test::failureOf([] {
                  grid::copyStatement({}, 0, data::ColInfoUpper + 1, "[T]", Dialect::Jet, {});
              }),
              "Subscript out of range");
}
