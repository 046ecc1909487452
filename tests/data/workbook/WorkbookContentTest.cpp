// What the reader makes of workbooks the tests write: tables, column names and types, values.
#include "WorkbookFixtures.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/access/LoadedTable.h"
#include "data/workbook/WorkbookFile.h"
#include "support/DataFailure.h"

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

TEST_F(WorkbookContent, ListsEveryWorksheetAsASystemTableButCannotLoadOneWithoutCells) {
    WorkbookFile file(madeWorkbook("types.xls"));
    const QStringList names{"Sheet1$", "Dates$", "Joe's$", "Empty$", "Offset$", "Exact$"};
    EXPECT_EQ(file.tableNames(), names);
    QStringList listed;
    for (const auto& entry : file.tableEntries()) {
        listed << entry.name;
        EXPECT_EQ(entry.type, "SYSTEM TABLE");
    }
    EXPECT_EQ(listed, names);
    EXPECT_EQ(file.describe("joe's$")->name, "Joe's$");
    EXPECT_FALSE(file.describe("Sheet1").has_value());
    EXPECT_FALSE(file.describe("Nowhere$").has_value());

    EXPECT_EQ(test::failureOf([&] { file.describe("Empty$"); }),
              "The worksheet 'Empty$' holds no cells.");
    RecordingSink sink;
    EXPECT_THROW(file.load("empty$", sink), data::Error);
    EXPECT_THROW(file.load("Nowhere$", sink), data::Error);
    EXPECT_TRUE(sink.rows.empty());
}

TEST_F(WorkbookContent, JudgesEachColumnsTypeFromAllOfItsValues) {
    using namespace data::ado;
    const int T = adVarWChar, N = adDouble, B = adBoolean, D = adDate;
    const struct {
        const char* table;
        QStringList names;
        std::vector<int> types;
    } expected[] = {
        {"Sheet1$", {"Region", "Amount", "Paid", "Total", "Note", "Status"}, {T, N, B, N, T, T}},
        {"Dates$",
         {"Day", "Moment", "Clock", "AnyDate", "DateOrNumber", "Due"},
         {D, D, D, D, T, D}},
        {"Joe's$",
         {"Name", "F2", "Name1", "NAME2", "2024", "Code", "Nothing", "Flags", "Errors"},
         {T, T, T, T, N, T, T, T, T}},
        {"Offset$", {"Key", "Value"}, {T, N}},
    };
    for (const auto& e : expected) {
        const LoadedTable table = load(e.table);
        EXPECT_EQ(table.names(), e.names) << e.table;
        EXPECT_EQ(table.types(), e.types) << e.table;
    }
    // A table starts at its first cell with a value.
    EXPECT_EQ(load("Offset$").rows, (std::vector<Row>{{QString("k1"), 1.0}, {QString("k2"), 2.0}}));
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

} // namespace
