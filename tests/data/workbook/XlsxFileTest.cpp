// What the reader makes of Excel 2007 and later workbooks (.xlsx) the tests write: every kind of
// value and date format, parts openpyxl does not write, and a clear message for every kind of
// damaged package. (That the same cells as an .xls workbook drill to the same tree: DrillTest.)
#include "data/workbook/XlsxFile.h"

#include "WorkbookFixtures.h"
#include "data/FileKind.h"
#include "data/access/RecordingSink.h"
#include "data/jet/JetTestSupport.h"
#include "data/workbook/WorkbookFile.h"
#include "data/workbook/WorkbookProvider.h"
#include "support/DataFailure.h"
#include "support/FileCopies.h"
#include "support/StoppingWatch.h"

using namespace data::workbook;
using data::jet::DateTimeParts;
using namespace test::access;
using namespace test::workbook;
using test::contentsOf;
using test::writeFile;

namespace {

class XlsxContent : public WithMadeWorkbooks {
protected:
    LoadedTable load(const QString& workbook, const QString& table) {
        XlsxFile file(madeWorkbook(workbook), QLocale::c());
        return loadTable(file, table);
    }
};

Value date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return DateTimeParts{year, month, day, hour, minute, second};
}

TEST_F(XlsxContent, ListsWorksheetsInOrderHiddenOnesTooButNoChartAndIsKnownByItsFirstBytes) {
    XlsxFile file(madeWorkbook("types.xlsx"));
    EXPECT_EQ(file.tableNames().join(' '), "Sheet1$ Dates$ Empty$ Gap$");
    EXPECT_FALSE(file.describe("Chart$").has_value());
    EXPECT_EQ(test::failureOf([&] { file.describe("empty$"); }),
              "The worksheet 'Empty$' holds no cells.");

    // The program tells a package from other files by its contents, whatever its name.
    QTemporaryDir dir;
    const QString renamed = writeFile(dir, "book.dat", contentsOf(madeWorkbook("types.xlsx")));
    EXPECT_EQ(data::fileKindOf(renamed), data::FileKind::Workbook);
    EXPECT_EQ(data::fileKindOf(writeFile(dir, "notes.xlsm", "Dear diary")),
              data::FileKind::Workbook);
}

// What other readers read although it bends the format's rules (intents.xlsx, see make_xlsx.py):
// its package relation broken, the workbook part is found where it usually lies; rows numbered
// from 0 or not at all are read in order; a sheet is as wide and as long as its values, however
// far cells with a style alone reach; CR LF in a text is a line end, LF; a sheet whose part is
// missing is listed and holds no cells. Then packages other programs wrote: styled cells out to
// the last column, a package relation that is no XML, text of a cell written with CR LF, and
// Excel 4 macro sheets, which hold macros, not a table, and are left out as .xls leaves them out.
TEST_F(XlsxContent, ReadsWhatOtherReadersReadWherePackagesBendTheRules) {
    XlsxFile file(madeWorkbook("intents.xlsx"), QLocale::c());
    EXPECT_EQ(file.tableNames().join(' '), "Zero$ Styled$ Missing$");
    const LoadedTable zero = loadTable(file, "Zero$");
    EXPECT_EQ(zero.rows, (std::vector<Row>{{Value(1.0)}, {Value(2.0)}, {Value(3.0)}}));
    const LoadedTable styled = loadTable(file, "Styled$");
    EXPECT_EQ(styled.names(), (QStringList{"Key", "Note"}));
    EXPECT_EQ(styled.rows, (std::vector<Row>{{Value(1.0), Value(QString("one\ntwo"))}}));
    EXPECT_EQ(test::failureOf([&] { file.describe("Missing$"); }),
              "The worksheet 'Missing$' holds no cells.");

    // (How many rows each table of every sample holds, against python3-openpyxl, and that the
    // macro sheets are left out: CompareReaders.)
    XlsxFile crlf(sharedWorkbook("60289.xlsx"), QLocale::c());
    const LoadedTable table = loadTable(crlf, "TABLE$");
    EXPECT_EQ(table.value(table.rows.front(), "Campo1"), Value(QString("Rich Text_x000d_\nTest")));
}

// Opening a package reads its workbook part and shared strings on the program's thread, and
// describing a sheet reads it there too: each is an operation the user may stop, at its first
// step here.
TEST_F(XlsxContent, OpeningAPackageOrDescribingASheetStopsWhenTheUserSaysSo) {
    {
        test::StoppingWatch watch(1);
        data::WatchScope watching(watch);
        EXPECT_THROW(XlsxFile(madeWorkbook("types.xlsx")), data::Cancelled);
        EXPECT_EQ(watch.ticks, 1);
    }
    XlsxFile file(madeWorkbook("types.xlsx"));
    test::StoppingWatch watch(1);
    data::WatchScope watching(watch);
    EXPECT_THROW(file.describe("Sheet1$"), data::Cancelled);
}

TEST_F(XlsxContent, ReadsDatesByTheirFormatsInBothDateSystems) {
    const LoadedTable dates = load("types.xlsx", "Dates$");
    EXPECT_EQ(kindsOf(dates),
              "Builtin:D Mask:D DayMonth:D Clock:D Hours:D Stamp:D Plain:N Quoted:N");
    const Row& first = dates.rows[0];
    for (const char* column : {"Builtin", "Mask", "DayMonth", "Stamp"})
        EXPECT_EQ(dates.value(first, column), date(2024, 2, 29, 13, 45, 59)) << column;
    EXPECT_EQ(dates.value(first, "Plain"), Value(45000.5));
    // (Which day a number is, around the false 29 February 1900 and for a time alone, is the same
    // for both kinds of workbook: WorkbookFileTest.)

    const LoadedTable mac = load("dates1904.xlsx", "Sheet$");
    EXPECT_EQ(mac.value(mac.rows[0], "Day"), date(2024, 2, 29));
    EXPECT_EQ(mac.value(mac.rows[1], "Day"), date(1904, 1, 2, 12));
}

// Shared strings of formatted runs and phonetic readings, inline strings, formula results of
// each kind, an error, a date written as text and one by a format of the workbook's own; and rows
// missing from a sheet.
TEST_F(XlsxContent, ReadsEveryKindOfCellAndFormulaResultAndMissingRowsAsNulls) {
    const LoadedTable values = load("parts.xlsx", "Values$");
    EXPECT_EQ(kindsOf(values), "Name:T Result:T");
    QStringList names, results;
    for (const Row& row : values.rows) {
        const Value name = values.value(row, "Name"), result = values.value(row, "Result");
        names << (std::holds_alternative<Null>(name) ? "null" : std::get<QString>(name));
        results << (std::holds_alternative<Null>(result) ? "null" : std::get<QString>(result));
    }
    EXPECT_EQ(names.join('|'), "Bold and plain|inline |Tokyo|null|2024-02-29 13:45:59");
    EXPECT_EQ(results.join('|'), "2|ab|True|null|2024-02-29 12:00:00");

    const LoadedTable offset = load("parts.xlsx", "Second$");
    EXPECT_EQ(kindsOf(offset), "Name:N");
    EXPECT_EQ(offset.rows, std::vector<Row>{Row{1.0}});
    // The strict form of the format, its namespaces of its own.
    const LoadedTable strict = load("strict.xlsx", "Sheet1$");
    EXPECT_EQ(strict.rows, std::vector<Row>{Row{7.0}});

    // Rows missing from a sheet are rows of nulls.
    const LoadedTable gap = load("types.xlsx", "Gap$");
    EXPECT_EQ(kindsOf(gap), "Key:T Value:N");
    ASSERT_EQ(gap.rows.size(), 7u);
    EXPECT_EQ(gap.value(gap.rows[1], "Value"), Value(2.0));
    for (std::size_t row = 2; row < 6; ++row)
        EXPECT_EQ(gap.value(gap.rows[row], "Key"), Value(Null{})) << row;
    EXPECT_EQ(gap.value(gap.rows[6], "Key"), Value(QString("c")));
}

// A large sheet is described from its first rows and read once; rows further down that change the
// table (text below numbers, a cell right of the columns, a value left of them) have it stored
// as every cell describes it.
TEST_F(XlsxContent, StoresALargeSheetAsAllOfItsRowsDescribeIt) {
    using data::jet::testing::columnsOf;
    using data::jet::testing::rowsOf;
    const auto provider = openWorkbookProvider(madeWorkbook("late.xlsx"));
    const struct {
        const char* sheet;
        const char* columns;
        const char* first; // the first row and the last, values joined by '|'
        const char* last;
    } cases[] = {
        {"Late", "Key:5 Amount:202", "2|2", "NULL|n/a"},
        {"Wide", "Key:5 Amount:5 F3:202 F4:5", "2|2|NULL|NULL", "NULL|NULL|NULL|5"},
        {"Left", "F1:5 Key:5", "NULL|2", "9|NULL"},
        {"Steady", "Key:5 Amount:5", "2|2", "12001|12001"},
    };
    for (const auto& c : cases) {
        const QString sql = QStringLiteral("SELECT * FROM [%1$]").arg(c.sheet);
        EXPECT_EQ(columnsOf(*provider, sql).join(' '), c.columns) << c.sheet;
        const auto rows = rowsOf(*provider, sql);
        ASSERT_EQ(rows.size(), c.sheet == QString("Steady") ? 12000 : 12001) << c.sheet;
        EXPECT_EQ(rows.front().join('|'), c.first) << c.sheet;
        EXPECT_EQ(rows.back().join('|'), c.last) << c.sheet;
    }
}

class XlsxFailure : public WithMadeWorkbooks {
protected:
    QString failureOf(const QString& name) {
        const QString path = QFileInfo(name).isAbsolute() ? name : madeWorkbook(name);
        return test::failureOf([&] {
            auto provider = openWorkbookProvider(path);
            readEverythingOf(path);
        });
    }
    static void readEverythingOf(const QString& path) {
        if (data::isZipPackage(path))
            test::readEverything<XlsxFile>(path);
        else
            test::readEverything<WorkbookFile>(path);
    }
    QTemporaryDir dir;
};

TEST_F(XlsxFailure, NamesWhatIsWrongWithEachDamagedPackageAndLeavesFilesUntouched) {
    const std::pair<const char*, const char*> cases[] = {
        {"notzip.xlsx", "is not an Excel workbook (.xls, .xlsx or .xlsm)."},
        {"nobook.xlsx", "is a zip archive that holds no Excel workbook (.xlsx, .xlsm)."},
        {"document.xlsx", "is a zip archive that holds no Excel workbook (.xlsx, .xlsm)."},
        {"cut.xlsx", "is damaged and cannot be read: the table of contents at the end of its zip "
                     "archive is missing (is it cut short?)."},
        {"badxml.xlsx", "its part 'xl/worksheets/sheet1.xml' is not well-formed XML (line 1: "},
        {"badref.xlsx", "in its part 'xl/worksheets/sheet1.xml', its rows are out of order."},
        {"badshared.xlsx", "a cell names shared string 5, which is not there."},
        {"damaged.xlsx", "its part 'xl/worksheets/sheet1.xml' cannot be unpacked ("},
        {"bomb.xlsx", "its part 'xl/worksheets/sheet1.xml' unpacks to more than 5 MB, the most the "
                      "program unpacks from a file of its size (it may be a zip bomb)."},
        {"liar.xlsx", "its part 'xl/worksheets/sheet1.xml' unpacks to more than the 100 bytes its "
                      "entry in the archive gives."},
        {"secret.xlsx", "is protected by a password and cannot be read."},
        {"doctype.xlsx", "its part 'xl/workbook.xml' declares a document type, which no workbook "
                         "part holds (its entities could expand without end)."},
        {"strings.xlsx", "its part 'xl/sharedStrings.xml' lists more shared strings than a package "
                         "of its size can hold (it may be a zip bomb)."},
        {"wide.xlsx", "The worksheet 'Sheet1$' holds values across 2001 columns; a table can have "
                      "at most 2000."},
    };
    for (const auto& [name, message] : cases) {
        const QString failure = failureOf(name);
        EXPECT_TRUE(failure.contains(message) &&
                    (failure.contains(madeWorkbook(name)) || failure.startsWith("The worksheet")))
            << name << ": " << failure.toStdString();
    }
    // Nested entities that expand to nothing (a sample of others' test data) are refused at once.
    EXPECT_TRUE(failureOf(sharedWorkbook("poc-xmlbomb-empty.xlsx"))
                    .contains("its part 'xl/sharedStrings.xml' declares a document type"));

    // Reading leaves the file and its folder untouched.
    const QString copy = writeFile(dir, "copy.xlsx", contentsOf(madeWorkbook("types.xlsx")));
    QFile(copy).setPermissions(QFileDevice::ReadOwner);
    const auto before = test::FileState::of(copy);
    EXPECT_GT(test::readEverything<XlsxFile>(copy), 0);
    EXPECT_EQ(test::FileState::of(copy), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
