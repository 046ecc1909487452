// The rules by which worksheet cells become columns: names, the formats that make a date, and
// values written as text.
#include "data/access/RecordingSink.h"
#include "data/workbook/CellText.h"
#include "data/workbook/ColumnNames.h"
#include "data/workbook/DateFormats.h"

#include <gtest/gtest.h>

using namespace data::workbook;
using data::jet::DateTimeParts;

namespace {

TEST(WorkbookColumnNames, NameBlankHeadersByPositionAndNumberRepeatedOnes) {
    EXPECT_EQ(columnNames({"Name", "", " ", "Amount"}),
              (QStringList{"Name", "F2", "F3", "Amount"}));
    // Names differ regardless of case; a number is appended that no column has yet.
    EXPECT_EQ(columnNames({"Name", "Name", "name", "Name1"}),
              (QStringList{"Name", "Name2", "name3", "Name1"}));
    EXPECT_EQ(columnNames({"F2", ""}), (QStringList{"F2", "F21"}));
    EXPECT_EQ(columnNames({"", "", "F1"}), (QStringList{"F1", "F2", "F11"}));
    EXPECT_EQ(columnNames({}), QStringList{});
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

// Numbers are written as VB writes them, which the engine's CStr test covers; here the decimal
// point given, and the other kinds.
TEST(WorkbookCellText, WritesNumbersDatesAndTruthValuesAsText) {
    EXPECT_EQ(cellText(-0.5, ","), "-0,5");
    EXPECT_EQ(cellText(1e15, "."), "1E+15");
    EXPECT_EQ(cellText(true, "."), "True");
    EXPECT_EQ(cellText(DateTimeParts{2024, 2, 29}, "."), "2024-02-29");
    EXPECT_EQ(cellText(DateTimeParts{2024, 2, 29, 13, 5, 9}, "."), "2024-02-29 13:05:09");
    EXPECT_EQ(cellText(DateTimeParts{1899, 12, 30, 6, 30, 0}, "."), "06:30:00");
    EXPECT_EQ(cellText(QString("as is "), "."), "as is ");
    EXPECT_EQ(cellText(CellValue{}, "."), "");
}

} // namespace
