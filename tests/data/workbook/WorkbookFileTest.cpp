// What the workbook reader makes of the workbooks the tests write and of samples written by
// others: worksheets, column names and types, values; the rules by which cells become columns;
// and that it never changes a workbook and ends every kind of unreadable file in a data::Error.
#include "data/workbook/WorkbookFile.h"

#include "WorkbookFixtures.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/access/RecordingSink.h"
#include "data/workbook/CellText.h"
#include "data/workbook/ColumnNames.h"
#include "data/workbook/DateFormats.h"
#include "data/workbook/WorkbookRecords.h"
#include "support/DataFailure.h"
#include "support/FileCopies.h"

#include <QtEndian>
#include <tuple>

using namespace data::workbook;
using data::jet::DateTimeParts;
using namespace test::access;
using namespace test::workbook;
using test::contentsOf;
using test::writeFile;

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

// Every worksheet is listed as a system table, but one without cells cannot be loaded; each
// column's type is judged from all of its values.
TEST_F(WorkbookContent, ListsWorksheetsAndJudgesEachColumnsTypeFromAllOfItsValues) {
    WorkbookFile file(madeWorkbook("types.xls"));
    QStringList listed;
    for (const auto& entry : file.tableEntries())
        listed << entry.name + ":" + entry.type;
    EXPECT_EQ(listed.join(' '), "Sheet1$:SYSTEM TABLE Dates$:SYSTEM TABLE Joe's$:SYSTEM TABLE "
                                "Empty$:SYSTEM TABLE Offset$:SYSTEM TABLE Exact$:SYSTEM TABLE");
    EXPECT_EQ(file.describe("joe's$")->name, "Joe's$");
    EXPECT_FALSE(file.describe("Sheet1").has_value());

    EXPECT_EQ(test::failureOf([&] { file.describe("Empty$"); }),
              "The worksheet 'Empty$' holds no cells.");
    RecordingSink sink;
    EXPECT_THROW(file.load("empty$", sink), data::Error);
    EXPECT_THROW(file.load("Nowhere$", sink), data::Error);
    EXPECT_TRUE(sink.rows.empty());

    // Each column's type is judged from all of its values.
    const std::pair<const char*, const char*> expected[] = {
        {"Sheet1$", "Region:T Amount:N Paid:B Total:N Note:T Status:T"},
        {"Dates$", "Day:D Moment:D Clock:D AnyDate:D DateOrNumber:T Due:D"},
        {"Joe's$", "Name:T F2:T Name1:T NAME2:T 2024:N Code:T Nothing:T Flags:T Errors:T"},
        {"Offset$", "Key:T Value:N"},
    };
    for (const auto& [table, columns] : expected)
        EXPECT_EQ(kindsOf(load(table)), columns) << table;
    // A table starts at its first cell with a value.
    EXPECT_EQ(load("Offset$").rows, (std::vector<Row>{{QString("k1"), 1.0}, {QString("k2"), 2.0}}));

    // Region, Amount, Paid; Total and Note from formulas, which give the results the workbook
    // keeps with them; Status holds text, a truth value and an error from formulas, and plain
    // text: an error is a null. The blank fourth row is a row of nulls.
    using S = QString;
    const Value n = Null{};
    EXPECT_EQ(load("Sheet1$").rows,
              (std::vector<Row>{{S("North"), 2.5, true, 5.0, S("first"), S("ok")},
                                {S("South"), -1.0, false, -2.0, n, S("False")},
                                {S("North"), 1234567.125, true, 2469134.25, S("third"), S("plain")},
                                {n, n, n, n, n, n},
                                {S("East"), 1e15, n, 2e15, n, n},
                                {S("North"), 0.0, false, 0.0, S("last"), n}}));

    // A column of mixed kinds keeps every value as text; numbers take the region's decimal
    // point, and no digit grouping.
    const LoadedTable joes = load("Joe's$");
    EXPECT_EQ(columnValues(joes, "Code"),
              (std::vector<Value>{S("42"), S("A-7"), S("0.25"), S("1234567.5")}));
    EXPECT_EQ(columnValues(joes, "Flags"), (std::vector<Value>{S("True"), S("1"), S("yes"), n}));
    EXPECT_EQ(columnValues(joes, "Errors"), (std::vector<Value>{n, n, S("text"), S("5")}));
    EXPECT_EQ(columnValues(load("Joe's$", QLocale(QLocale::German, QLocale::Germany)), "Code"),
              (std::vector<Value>{S("42"), S("A-7"), S("0,25"), S("1234567,5")}));
}

// A time alone falls on day zero, 1899-12-30; formula results shown as dates, one of them with a
// time, come after the false 29 February 1900; a column of dates and other values is text.
TEST_F(WorkbookContent, GivesDatesAndTimesToTheSecondWhateverTheirFormatAndInBothDateSystems) {
    using D = DateTimeParts;
    const Value null = Null{};
    EXPECT_EQ(
        load("Dates$").rows,
        (std::vector<Row>{{D{2024, 2, 29}, D{2024, 2, 29, 13, 45, 59}, D{1899, 12, 30, 23, 59, 59},
                           D{1999, 12, 31}, QString("2001-09-09"), D{2024, 3, 30}},
                          {D{1900, 3, 1}, D{2000, 1, 1, 0, 0, 1}, D{}, D{1899, 12, 30, 6, 30, 0},
                           QString("12.5"), D{1900, 3, 1, 18, 0, 0}},
                          {null, null, null, D{2010, 7, 4, 8, 9, 10}, QString("text"), null}}));

    // Dates come whole whatever their format shows, and in both date systems.
    const LoadedTable exact = load("Exact$");
    EXPECT_EQ(columnValues(exact, "Shown"),
              (std::vector<Value>{D{2023, 3, 15, 18, 0, 0}, D{2023, 3, 15, 12, 0, 0}}));
    // Day 1 is 1900-01-01, as Excel shows it with a date format.
    EXPECT_EQ(columnValues(exact, "Hours"),
              (std::vector<Value>{D{1900, 1, 1}, D{1900, 1, 1, 12, 0, 0}}));
    EXPECT_EQ(columnValues(exact, "Late"), (std::vector<Value>{D{2100, 3, 1}, D{2400, 2, 29}}));

    WorkbookFile file(madeWorkbook("dates1904.xls"));
    const LoadedTable dates1904 = loadTable(file, "Sheet1$");
    EXPECT_EQ(dates1904.rows, (std::vector<Row>{{D{2024, 2, 29}, D{2024, 3, 1}}}));
}

// Text longer than a record holds runs on over one or more CONTINUE records of the shared
// strings, or of a formula's result (long.xls, see make_workbooks.py), in characters of one byte
// or two.
TEST_F(WorkbookContent, GivesTextRunningOverAnyNumberOfRecordsWhole) {
    const auto longText = [](int length, bool wide) {
        QString text;
        for (int k = 0; k < length; ++k)
            text += wide && k % 100 == 0 ? QChar(0x03A9) : QChar('A' + k % 26);
        return text;
    };
    WorkbookFile file(madeWorkbook("long.xls"), QLocale::c());
    const LoadedTable table = loadTable(file, "Long$");
    ASSERT_EQ(table.rows.size(), 4u);
    for (const Row& row : table.rows) {
        const auto length = static_cast<int>(std::get<double>(table.value(row, "Length")));
        const QString expected = longText(length, std::get<bool>(table.value(row, "Wide")));
        for (const char* column : {"Text", "Result"}) {
            const Value text = table.value(row, column);
            ASSERT_TRUE(std::holds_alternative<QString>(text)) << column << length;
            EXPECT_EQ(std::get<QString>(text).size(), length) << column;
            EXPECT_TRUE(std::get<QString>(text) == expected) << column << length;
        }
    }
}

TEST(WorkbookColumnNames, NameBlankHeadersByPositionAndNumberRepeatedOnes) {
    // Names differ regardless of case; a number is appended that no column has yet.
    EXPECT_EQ(columnNames({"Name", "Name", "name", "Name1"}).join(' '), "Name Name2 name3 Name1");
    EXPECT_EQ(columnNames({"", "", "F1"}).join(' '), "F1 F2 F11");
}

TEST(WorkbookDateFormats, TellDatesAndTimesFromOtherNumbers) {
    for (const int builtIn : {14, 15, 18, 22, 45, 47})
        EXPECT_TRUE(isDateFormat(builtIn, QString())) << builtIn;
    for (const int builtIn : {0, 1, 4, 9, 11, 37, 44, 49})
        EXPECT_FALSE(isDateFormat(builtIn, QString())) << builtIn;
    for (const char* format : {"yyyy-mm-dd", "d/m/yy", "hh:mm:ss", "[h]:mm", "mmm yyyy",
                               "[$-409]dddd, mmmm d", "[Red]dd.mm.yyyy"})
        EXPECT_TRUE(isDateFormat(200, format)) << format;
    for (const char* format : {"General", "0.00", "#,##0 \"days\"", "0.0\\h", "[Red]0.00",
                               "[$€-407] #,##0.00", "0.00E+00", "_-* #,##0_-", "@"})
        EXPECT_FALSE(isDateFormat(200, format)) << format;
}

// Numbers are written as VB writes them (the engine's CStr test), with the decimal point given,
// truth values and dates as a column of mixed kinds holds them (the sheets above); here the
// dates with a time, and the time alone.
TEST(WorkbookCellText, WritesNumbersDatesAndTruthValuesAsText) {
    EXPECT_EQ(cellText(DateTimeParts{2024, 2, 29, 13, 5, 9}, "."), "2024-02-29 13:05:09");
    EXPECT_EQ(cellText(DateTimeParts{1899, 12, 30, 6, 30, 0}, "."), "06:30:00");
    EXPECT_EQ(cellText(CellValue{}, "."), "");
}

class WorkbookSamples : public WithSharedWorkbooks {};

TEST_F(WorkbookSamples, ReadTablesOfNumbersRaggedRowsSheetsOfMostlyFormattingAndExcel95) {
    using namespace data::ado;
    WorkbookFile profiles(sharedWorkbook("profiles.xls"));
    const LoadedTable definitions = loadTable(profiles, "PROFILEDEF$");
    EXPECT_EQ(definitions.names(),
              (QStringList{"PROFIL", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}));
    ASSERT_EQ(definitions.rows.size(), 14u);
    EXPECT_EQ(definitions.rows.back()[12], Value(267.0));

    // Blank headers, and columns with no value at all.
    const LoadedTable axes = loadTable(profiles, "AXISDEF$");
    EXPECT_EQ(kindsOf(axes), "PROFIL:T i:N d:N");

    // Most of these levels are formulas, whose results the workbook keeps.
    const LoadedTable levels = loadTable(profiles, "PROFILELEVELS$");
    std::vector<int> types(30, adDouble);
    types[0] = adVarWChar;
    EXPECT_EQ(levels.types(), types);
    const Row& first = levels.rowWhere("PROFIL", QString("P8.2"));
    EXPECT_EQ(levels.value(first, "Quergefälle"), Value(0.025));
    ASSERT_TRUE(std::holds_alternative<double>(levels.value(first, "i1")));
    EXPECT_NEAR(std::get<double>(levels.value(first, "i1")), 265.21206, 1e-9);

    // Rows of unequal length, with nulls where they end early.
    WorkbookFile file(sharedWorkbook("ragged.xls"));
    const LoadedTable ragged = loadTable(file, "Sheet1$");
    EXPECT_EQ(ragged.names(), (QStringList{"a", "b", "c", "F4"}));
    const Value n = Null{};
    EXPECT_EQ(ragged.rows,
              (std::vector<Row>{{QString("d"), QString("e"), n, n},
                                {QString("f"), n, n, n},
                                {QString("g"), QString("h"), QString("I"), QString("j")},
                                {QString("k"), n, n, QString("l")}}));

    // Sheets whose cells are mostly formatting, and empty ones.
    WorkbookFile formats(sharedWorkbook("xf_class.xls"));
    const LoadedTable colours = loadTable(formats, "table1$");
    EXPECT_EQ(colours.names(), (QStringList{"RED", "RED1", "F3"}));
    // One merged cell with a value, then formatted cells without any: a sheet is as large as
    // its values.
    const LoadedTable merged = loadTable(formats, "table2$");
    EXPECT_EQ(merged.names(), (QStringList{"MERGED"}));
    EXPECT_EQ(merged.rows.size(), 0u);

    WorkbookFile mixed(sharedWorkbook("issue20.xls"));
    const LoadedTable scattered = loadTable(mixed, "Sheet1$");
    EXPECT_EQ(scattered.names().join(' '), "aasa F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12");

    // Excel 95 keeps text in the workbook's code page, its formula results in a record of its own.
    // (Which tables every sample lists and how many rows each holds, against python3-xlrd:
    // CompareReaders.)
    WorkbookFile excel95(sharedWorkbook("testEXCEL_95.xls"));
    const LoadedTable squares = loadTable(excel95, "Feuil1$");
    EXPECT_EQ(squares.names().first(), "Sample Excel Worksheet - Numbers and their Squares");
    EXPECT_EQ(squares.value(squares.rowWhere("F2", QString("5")), "F3"), Value(QString("25")));
}

QString failureOf(const QString& path) {
    return test::readFailure<WorkbookFile>(path);
}

class WorkbookFailure : public WithMadeWorkbooks {
protected:
    QTemporaryDir dir;
};

TEST_F(WorkbookFailure,
       NamesAMissingFileRefusesWhatIsNotAWorkbookOrDamagedAndLeavesFilesUntouched) {
    EXPECT_EQ(failureOf(dir.filePath("absent.xls")),
              QString("Could not find file '%1'.").arg(dir.filePath("absent.xls")));
    EXPECT_EQ(failureOf(dir.path()),
              QString("Cannot open the file '%1': it is a folder, not a file.").arg(dir.path()));
    EXPECT_TRUE(failureOf("/dev/zero").contains("it is a device")) << "read without end";
    for (const auto& [name, contents] :
         {std::pair{"notes.xls", QByteArray("Dear diary,\nthis is not a workbook.\n")},
          std::pair{"empty.xls", QByteArray()}, std::pair{"zeros.xls", QByteArray(4096, '\0')}}) {
        const QString path = writeFile(dir, name, contents);
        EXPECT_EQ(failureOf(path), QString("External table is not in the expected format: '%1' is "
                                           "not an Excel workbook (.xls, .xlsx or .xlsm).")
                                       .arg(path));
    }

    // The code page record (1200, UTF-16) made the record that marks a protected workbook.
    const QByteArray whole = contentsOf(madeWorkbook("types.xls"));
    QByteArray secret = whole;
    const qsizetype codePage = secret.indexOf(QByteArray::fromHex("42000200b004"));
    ASSERT_GE(codePage, 0);
    secret[codePage] = 0x2F;
    const QString secretPath = writeFile(dir, "secret.xls", secret);
    EXPECT_EQ(failureOf(secretPath),
              QString("The workbook '%1' is protected by a password and cannot be read.")
                  .arg(secretPath));

    // A cell naming a shared string there is not, and a list counting more strings than it
    // holds, are damage.
    const std::vector<std::tuple<const char*, QByteArray, qsizetype>> cases{
        {"a cell naming a string past the last", QByteArray::fromHex("fd000a00"), 4 + 6},
        {"more strings counted than there are", QByteArray::fromHex("fc00"), 4 + 4},
    };
    for (const auto& [what, found, at] : cases) {
        QByteArray copy = whole;
        const qsizetype record = copy.indexOf(found);
        ASSERT_GE(record, 0) << what;
        qToLittleEndian<quint32>(0x00FFFFFF, copy.data() + record + at);
        const QString path = writeFile(dir, "shared.xls", copy);
        const QString failure = failureOf(path);
        EXPECT_TRUE(failure.startsWith(QString("The workbook '%1' is damaged").arg(path)) &&
                    failure.endsWith("do not hold together."))
            << what;
    }

    // Reading leaves the file and its folder untouched.
    const QString copy = writeFile(dir, "copy.xls", whole);
    QFile(copy).setPermissions(QFileDevice::ReadOwner);
    const auto before = test::FileState::of(copy);
    EXPECT_GT(test::readEverything<WorkbookFile>(copy), 0);
    EXPECT_EQ(test::FileState::of(copy), before);
}

} // namespace
