// Workbooks built beyond sheets of cells: charts nested in a worksheet's records and chart sheets,
// which hold no table and must not disturb the worksheets, damage in how they nest, and the
// workbooks of the versions before Excel 5, which the reader names rather than reads.
#include "WorkbookFixtures.h"
#include "data/access/RecordingSink.h"
#include "data/workbook/WorkbookFile.h"
#include "support/FileCopies.h"

#include <QtEndian>
#include <tuple>

using namespace data::workbook;
using namespace test::access;
using namespace test::workbook;
using test::contentsOf;
using test::writeFile;

namespace {

QString failureOf(const QString& path) {
    return test::readFailure<WorkbookFile>(path);
}

// Whether reading the file failed on records that do not hold together.
bool refusedAsDamaged(const QString& path) {
    const QString failure = failureOf(path);
    return failure.startsWith(QString("The workbook '%1' is damaged").arg(path)) &&
           failure.endsWith("do not hold together.");
}

// charts.xls holds the sheets of types.xls, with a chart on Sheet1 and the chart sheet Chart1
// after it; each chart's plotted values are cell records (a size, numbers, a truth value, a
// text). small.xls does the same to dates1904.xls, in a compound file's mini stream. chart.xls
// holds a chart sheet alone.
class WorkbookCharts : public WithMadeWorkbooks {
protected:
    QTemporaryDir dir;
};

TEST_F(WorkbookCharts, LeaveEveryWorksheetAsItIsAreNoTablesNestOnlySoDeepAndReachNoFurther) {
    for (const auto& [without, with] :
         {std::pair{"types.xls", "charts.xls"}, std::pair{"dates1904.xls", "small.xls"}}) {
        WorkbookFile plain(madeWorkbook(without));
        WorkbookFile charted(madeWorkbook(with));
        ASSERT_EQ(charted.tableNames(), plain.tableNames()) << with;
        for (const QString& name : plain.tableNames()) {
            if (name == "Empty$")
                continue;
            const LoadedTable expected = loadTable(plain, name);
            const LoadedTable read = loadTable(charted, name);
            EXPECT_EQ(kindsOf(read), kindsOf(expected)) << with;
            EXPECT_EQ(read.rows, expected.rows) << with << " " << name.toStdString();
        }
    }
    const QString chartOnly = madeWorkbook("chart.xls");
    EXPECT_EQ(failureOf(chartOnly), QString("The workbook '%1' holds no worksheet: its sheets are "
                                            "charts or others without cells.")
                                        .arg(chartOnly));

    // Charts may nest in each other, but only so deep, and must end: each case gives records of
    // charts.xls other types, the record found by its bytes (its first occurrence, on Sheet1 for
    // the chart's records), at the place given in those bytes.
    const QByteArray chartBegins = QByteArray::fromHex("0908100000062000");
    const QByteArray chartEnds = QByteArray("cached") + QByteArray::fromHex("0a000000");
    const QByteArray series1 = QByteArray::fromHex("651002000100");
    const QByteArray series2 = QByteArray::fromHex("651002000200");
    const QByteArray window1 = QByteArray::fromHex("3d001200");
    const QByteArray bof = QByteArray::fromHex("0908");
    const QByteArray eof = QByteArray::fromHex("0a00");
    const QByteArray units = QByteArray::fromHex("0110");
    struct Change {
        QByteArray found;
        qsizetype at;
        QByteArray type;
    };
    const std::vector<std::tuple<const char*, std::vector<Change>, bool>> cases{
        {"a chart on the chart", {{series1, 0, bof}, {series2, 0, eof}}, false},
        {"a chart on a chart on the chart", {{series1, 0, bof}, {series2, 0, bof}}, true},
        {"a chart that never ends", {{chartEnds, 6, units}}, true},
        // The sheet then ends at the chart's end, as other readers end it.
        {"a chart begun as no substream", {{chartBegins, 0, units}}, false},
        {"a chart's beginning among the globals, passed over", {{window1, 0, bof}}, false},
    };
    const QByteArray whole = contentsOf(madeWorkbook("charts.xls"));
    for (const auto& [what, changes, damaged] : cases) {
        QByteArray copy = whole;
        for (const Change& change : changes) {
            const qsizetype found = copy.indexOf(change.found);
            ASSERT_GE(found, 0) << what;
            copy.replace(found + change.at, 2, change.type);
        }
        const QString path = writeFile(dir, "changed.xls", copy);
        EXPECT_EQ(refusedAsDamaged(path), damaged) << what << failureOf(path).toStdString();
    }

    // A worksheet reaches 256 columns: a cell placed past the last column is damage, refused
    // before anything is sized by it; the size a sheet claims (DIMENSIONS) sizes nothing and is
    // not read. Each case changes types.xls's first such record. slow-sheet.xls holds a cell far
    // past the last column, which once had the sheet walked cell by cell over that width.
    const QByteArray dimensions = QByteArray::fromHex("00020e00");
    const QByteArray sharedText = QByteArray::fromHex("fd000a00");
    const std::vector<std::tuple<const char*, QByteArray, qsizetype, quint32, bool>> sizes{
        {"a size of one row more", dimensions, 4 + 4, 65537, false},
        {"a text cell in the last column", sharedText, 4 + 2, 255, false},
        {"a text cell past the last column", sharedText, 4 + 2, 256, true},
    };
    const QByteArray types = contentsOf(madeWorkbook("types.xls"));
    for (const auto& [what, found, at, value, damaged] : sizes) {
        QByteArray copy = types;
        const qsizetype place = copy.indexOf(found);
        ASSERT_GE(place, 0) << what;
        if (at == 4 + 4)
            qToLittleEndian<quint32>(value, copy.data() + place + at);
        else
            qToLittleEndian<quint16>(static_cast<quint16>(value), copy.data() + place + at);
        const QString path = writeFile(dir, "sized.xls", copy);
        EXPECT_EQ(refusedAsDamaged(path), damaged) << what;
    }
    EXPECT_TRUE(refusedAsDamaged(sharedWorkbook("slow-sheet.xls")));
}

QByteArray record(quint16 type, const QByteArray& data) {
    QByteArray header(4, '\0');
    qToLittleEndian<quint16>(type, header.data());
    qToLittleEndian<quint16>(static_cast<quint16>(data.size()), header.data() + 2);
    return header + data;
}

TEST(WorkbookVersions, BeforeExcel5AreNamedAsSuch) {
    QTemporaryDir dir;
    // A worksheet's BOF record of each version (its version, the kind of sheet, a build) with a
    // cell and the EOF record; and a workbook of Excel 4.0, which begins as one of many sheets.
    const std::vector<std::pair<QByteArray, QString>> versions{
        {record(0x0009, QByteArray::fromHex("02001000")), "Excel 2.x"},
        {record(0x0209, QByteArray::fromHex("030010000000")), "Excel 3.0"},
        {record(0x0409, QByteArray::fromHex("040010000000")), "Excel 4.0"},
        {record(0x0409, QByteArray::fromHex("040000010000")), "Excel 4.0"},
    };
    for (const auto& [bof, version] : versions) {
        const QByteArray cell = record(0x0204, QByteArray::fromHex("000000000f000300") + "Ann");
        const QString path = writeFile(dir, "old.xls", bof + cell + record(0x000A, {}));
        EXPECT_EQ(failureOf(path), QString("The workbook '%1' is in the format of %2, which is not "
                                           "supported; save it as an Excel 97-2003 workbook to "
                                           "read it.")
                                       .arg(path, version));
    }
}

} // namespace
