// What the reader makes of workbooks the tests write: tables, column names and types, values.
#include "WorkbookFixtures.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/access/LoadedTable.h"
#include "data/workbook/WorkbookFile.h"

using data::jet::DateTimeParts;
using data::workbook::WorkbookFile;
using namespace test::access;
using namespace test::workbook;

namespace {

class WorkbookContent : public WithMadeWorkbooks {
protected:
    LoadedTable load(const QString& table, const QLocale& locale = QLocale::c()) {
        WorkbookFile file(madeWorkbook("types.xls"), locale);
        return loadTable(file, table);
    }
};

std::vector<Value> columnValues(const LoadedTable& table, const QString& column) {
    std::vector<Value> values;
    for (const Row& row : table.rows)
        values.push_back(table.value(row, column));
    return values;
}

QString describeFailure(WorkbookFile& file, const QString& table) {
    try {
        file.describe(table);
    } catch (const data::Error& error) {
        return error.description();
    }
    return {};
}

TEST_F(WorkbookContent, ListsEveryWorksheetAsASystemTableInWorkbookOrder) {
    WorkbookFile file(madeWorkbook("types.xls"));
    const QStringList names{"Sheet1$", "Dates$", "Joe's$", "Empty$", "Offset$", "Exact$"};
    EXPECT_EQ(file.tableNames(), names);
    const auto entries = file.tableEntries();
    ASSERT_EQ(entries.size(), 6u);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].name, names[static_cast<qsizetype>(i)]);
        EXPECT_EQ(entries[i].type, "SYSTEM TABLE");
    }
    EXPECT_EQ(file.describe("joe's$")->name, "Joe's$");
    EXPECT_FALSE(file.describe("Sheet1").has_value());
    EXPECT_FALSE(file.describe("Nowhere$").has_value());
}

TEST_F(WorkbookContent, JudgesEachColumnsTypeFromAllOfItsValues) {
    using namespace data::ado;
    const struct {
        const char* table;
        std::vector<std::pair<const char*, int>> columns;
    } expected[] = {
        {"Sheet1$",
         {{"Region", adVarWChar},
          {"Amount", adDouble},
          {"Paid", adBoolean},
          {"Total", adDouble},
          {"Note", adVarWChar},
          {"Status", adVarWChar}}},
        {"Dates$",
         {{"Day", adDate},
          {"Moment", adDate},
          {"Clock", adDate},
          {"AnyDate", adDate},
          {"DateOrNumber", adVarWChar},
          {"Due", adDate}}},
        {"Joe's$",
         {{"Name", adVarWChar},
          {"F2", adVarWChar},
          {"Name1", adVarWChar},
          {"NAME2", adVarWChar},
          {"2024", adDouble},
          {"Code", adVarWChar},
          {"Nothing", adVarWChar},
          {"Flags", adVarWChar},
          {"Errors", adVarWChar}}},
        {"Offset$", {{"Key", adVarWChar}, {"Value", adDouble}}},
    };
    WorkbookFile file(madeWorkbook("types.xls"));
    for (const auto& table : expected) {
        const auto described = file.describe(table.table);
        ASSERT_TRUE(described.has_value()) << table.table;
        ASSERT_EQ(described->columns.size(), table.columns.size()) << table.table;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            EXPECT_EQ(described->columns[i].name, table.columns[i].first) << table.table;
            EXPECT_EQ(described->columns[i].adoType, table.columns[i].second)
                << table.table << " " << table.columns[i].first;
        }
    }
}

TEST_F(WorkbookContent, GivesNumbersTruthValuesAndFormulaResultsWithNullsWhereCellsAreEmpty) {
    const LoadedTable sheet = load("Sheet1$");
    ASSERT_EQ(sheet.rows.size(), 6u); // the blank fourth row included
    EXPECT_EQ(columnValues(sheet, "Region"),
              (std::vector<Value>{QString("North"), QString("South"), QString("North"), Null{},
                                  QString("East"), QString("North")}));
    EXPECT_EQ(columnValues(sheet, "Amount"),
              (std::vector<Value>{2.5, -1.0, 1234567.125, Null{}, 1e15, 0.0}));
    EXPECT_EQ(columnValues(sheet, "Paid"),
              (std::vector<Value>{true, false, true, Null{}, Null{}, false}));
    // Formulas give the results the workbook keeps with them.
    EXPECT_EQ(columnValues(sheet, "Total"),
              (std::vector<Value>{5.0, -2.0, 2469134.25, Null{}, 2e15, 0.0}));
    EXPECT_EQ(columnValues(sheet, "Note"),
              (std::vector<Value>{QString("first"), Null{}, QString("third"), Null{}, Null{},
                                  QString("last")}));
    // Text, a truth value and an error from formulas, and plain text: an error is a null.
    EXPECT_EQ(columnValues(sheet, "Status"),
              (std::vector<Value>{QString("ok"), QString("False"), QString("plain"), Null{}, Null{},
                                  Null{}}));
}

TEST_F(WorkbookContent, GivesDatesAndTimesToTheSecond) {
    const LoadedTable dates = load("Dates$");
    ASSERT_EQ(dates.rows.size(), 3u);
    EXPECT_EQ(columnValues(dates, "Day"),
              (std::vector<Value>{DateTimeParts{2024, 2, 29}, DateTimeParts{1900, 3, 1}, Null{}}));
    EXPECT_EQ(columnValues(dates, "Moment"),
              (std::vector<Value>{DateTimeParts{2024, 2, 29, 13, 45, 59},
                                  DateTimeParts{2000, 1, 1, 0, 0, 1}, Null{}}));
    // A time alone falls on day zero, 1899-12-30.
    EXPECT_EQ(
        columnValues(dates, "Clock"),
        (std::vector<Value>{DateTimeParts{1899, 12, 30, 23, 59, 59}, DateTimeParts{}, Null{}}));
    EXPECT_EQ(
        columnValues(dates, "AnyDate"),
        (std::vector<Value>{DateTimeParts{1999, 12, 31}, DateTimeParts{1899, 12, 30, 6, 30, 0},
                            DateTimeParts{2010, 7, 4, 8, 9, 10}}));
    // Formula results shown as dates, one of them with a time, after the false 29 February 1900.
    EXPECT_EQ(columnValues(dates, "Due"),
              (std::vector<Value>{DateTimeParts{2024, 3, 30}, DateTimeParts{1900, 3, 1, 18, 0, 0},
                                  Null{}}));
}

TEST_F(WorkbookContent, GivesDatesWholeWhateverTheirFormatShowsAndInBothDateSystems) {
    const LoadedTable exact = load("Exact$");
    EXPECT_EQ(columnValues(exact, "Shown"),
              (std::vector<Value>{DateTimeParts{2023, 3, 15, 18, 0, 0},
                                  DateTimeParts{2023, 3, 15, 12, 0, 0}}));
    // Day 1 is 1900-01-01, as Excel shows it with a date format.
    EXPECT_EQ(columnValues(exact, "Hours"),
              (std::vector<Value>{DateTimeParts{1900, 1, 1}, DateTimeParts{1900, 1, 1, 12, 0, 0}}));
    EXPECT_EQ(columnValues(exact, "Late"),
              (std::vector<Value>{DateTimeParts{2100, 3, 1}, DateTimeParts{2400, 2, 29}}));

    WorkbookFile file(madeWorkbook("dates1904.xls"));
    const LoadedTable dates1904 = loadTable(file, "Sheet1$");
    EXPECT_EQ(dates1904.rows,
              (std::vector<Row>{{DateTimeParts{2024, 2, 29}, DateTimeParts{2024, 3, 1}}}));
}

TEST_F(WorkbookContent, KeepsEveryValueOfAColumnOfMixedKindsAsText) {
    const LoadedTable joes = load("Joe's$");
    EXPECT_EQ(
        columnValues(joes, "Code"),
        (std::vector<Value>{QString("42"), QString("A-7"), QString("0.25"), QString("1234567.5")}));
    EXPECT_EQ(columnValues(joes, "Flags"),
              (std::vector<Value>{QString("True"), QString("1"), QString("yes"), Null{}}));
    EXPECT_EQ(columnValues(joes, "Errors"),
              (std::vector<Value>{Null{}, Null{}, QString("text"), QString("5")}));
    EXPECT_EQ(columnValues(joes, "Nothing"), (std::vector<Value>(4, Null{})));
    EXPECT_EQ(columnValues(joes, "2024"), (std::vector<Value>{1.0, 2.0, 3.0, 4.0}));

    const LoadedTable dates = load("Dates$");
    EXPECT_EQ(columnValues(dates, "DateOrNumber"),
              (std::vector<Value>{QString("2001-09-09"), QString("12.5"), QString("text")}));

    // Numbers as text take the region's decimal point, and no digit grouping.
    const LoadedTable german = load("Joe's$", QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(
        columnValues(german, "Code"),
        (std::vector<Value>{QString("42"), QString("A-7"), QString("0,25"), QString("1234567,5")}));
}

TEST_F(WorkbookContent, StartsATableAtItsFirstCellWithAValue) {
    const LoadedTable offset = load("Offset$");
    EXPECT_EQ(offset.rows, (std::vector<Row>{{QString("k1"), 1.0}, {QString("k2"), 2.0}}));
}

TEST_F(WorkbookContent, ListsAWorksheetWithoutCellsButCannotDescribeOrLoadIt) {
    WorkbookFile file(madeWorkbook("types.xls"));
    EXPECT_EQ(describeFailure(file, "Empty$"), "The worksheet 'Empty$' holds no cells.");
    CountingSink sink;
    EXPECT_THROW(file.load("empty$", sink), data::Error);
    EXPECT_THROW(file.load("Nowhere$", sink), data::Error);
    EXPECT_EQ(sink.rows, 0);
}

} // namespace
