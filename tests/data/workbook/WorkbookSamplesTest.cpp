// What the reader makes of the shared sample workbooks, written by others: worksheets, column
// names and types, row counts and values.
#include "WorkbookFixtures.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/access/LoadedTable.h"
#include "data/workbook/WorkbookFile.h"
#include "support/DataFailure.h"

using data::workbook::WorkbookFile;
using namespace test::access;
using namespace test::workbook;

namespace {

class WorkbookSamples : public WithSharedWorkbooks {};

TEST_F(WorkbookSamples, ReadEngineeringTablesOfNumbers) {
    using namespace data::ado;
    WorkbookFile file(sharedWorkbook("profiles.xls"));
    EXPECT_EQ(file.tableNames(), (QStringList{"PROFILEDEF$", "AXISDEF$", "TRAVERSALCHAINAGE$",
                                              "AXISDATUMLEVELS$", "PROFILELEVELS$"}));
    const LoadedTable definitions = loadTable(file, "PROFILEDEF$");
    EXPECT_EQ(definitions.names(),
              (QStringList{"PROFIL", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}));
    std::vector<int> types(13, adDouble);
    types[0] = adVarWChar;
    EXPECT_EQ(definitions.types(), types);
    ASSERT_EQ(definitions.rows.size(), 14u);
    EXPECT_EQ(definitions.rows.front()[0], Value(QString("P8.2")));
    EXPECT_EQ(definitions.rows.front()[1], Value(100.0));
    EXPECT_EQ(definitions.rows.back()[0], Value(QString("Q0")));
    EXPECT_EQ(definitions.rows.back()[12], Value(267.0));

    // Blank headers, and columns with no value at all.
    const LoadedTable axes = loadTable(file, "AXISDEF$");
    EXPECT_EQ(axes.names(), (QStringList{"PROFIL", "i", "d", "F4", "F5", "F6"}));
    EXPECT_EQ(axes.types(), (std::vector<int>{adVarWChar, adDouble, adDouble, adVarWChar,
                                              adVarWChar, adVarWChar}));
    EXPECT_EQ(axes.value(axes.rowWhere("PROFIL", QString("P9.3")), "d"), Value(109.0));
    EXPECT_EQ(loadTable(file, "TRAVERSALCHAINAGE$").names().front(), "F1");

    // Most of these levels are formulas, whose results the workbook keeps.
    const LoadedTable levels = loadTable(file, "PROFILELEVELS$");
    types.assign(31, adDouble);
    types[0] = types[30] = adVarWChar;
    EXPECT_EQ(levels.types(), types);
    EXPECT_EQ(levels.names()[1], QString("Quergefälle"));
    EXPECT_EQ(levels.names()[30], "F31");
    ASSERT_EQ(levels.rows.size(), 14u);
    const Row& first = levels.rowWhere("PROFIL", QString("P8.2"));
    EXPECT_EQ(levels.value(first, "Quergefälle"), Value(0.025));
    ASSERT_TRUE(std::holds_alternative<double>(levels.value(first, "i1")));
    EXPECT_NEAR(std::get<double>(levels.value(first, "i1")), 265.21206, 1e-9);
    EXPECT_EQ(levels.value(first, "k2"), Value(270.65));
}

TEST_F(WorkbookSamples, ReadRowsOfUnequalLengthWithNullsWhereTheyEndEarly) {
    WorkbookFile file(sharedWorkbook("ragged.xls"));
    const LoadedTable ragged = loadTable(file, "Sheet1$");
    EXPECT_EQ(ragged.names(), (QStringList{"a", "b", "c", "F4"}));
    const Value n = Null{};
    EXPECT_EQ(ragged.rows,
              (std::vector<Row>{{QString("d"), QString("e"), n, n},
                                {QString("f"), n, n, n},
                                {QString("g"), QString("h"), QString("I"), QString("j")},
                                {QString("k"), n, n, QString("l")}}));
}

TEST_F(WorkbookSamples, ReadSheetsWhoseCellsAreMostlyFormattingAndTellEmptyOnes) {
    WorkbookFile formats(sharedWorkbook("xf_class.xls"));
    EXPECT_EQ(formats.tableNames(), (QStringList{"table1$", "table2$", "table3$"}));
    const LoadedTable colours = loadTable(formats, "table1$");
    EXPECT_EQ(colours.names(), (QStringList{"RED", "RED1", "F3"}));
    ASSERT_EQ(colours.rows.size(), 9u);
    EXPECT_EQ(colours.rows[2], (Row{QString("LEFT"), QString("CENTER"), QString("RIGHT")}));
    EXPECT_EQ(colours.rows.back()[0], Value(QString("borderstyle")));
    // One merged cell with a value, then formatted cells without any.
    const LoadedTable merged = loadTable(formats, "table2$");
    EXPECT_EQ(merged.names(), (QStringList{"MERGED", "F2", "F3"}));
    EXPECT_EQ(merged.rows.size(), 3u);

    WorkbookFile mixed(sharedWorkbook("issue20.xls"));
    EXPECT_EQ(mixed.tableNames(), (QStringList{"Sheet1$", "Sheet2$", "Sheet3$"}));
    const LoadedTable scattered = loadTable(mixed, "Sheet1$");
    ASSERT_EQ(scattered.definition.columns.size(), 13u);
    EXPECT_EQ(scattered.definition.columns[0].name, "aasa");
    EXPECT_EQ(scattered.definition.columns[12].name, "F13");
    ASSERT_EQ(scattered.rows.size(), 16u);
    EXPECT_EQ(scattered.value(scattered.rows[10], "aasa"), Value(QString("legenda ")));
    EXPECT_EQ(scattered.value(scattered.rows[10], "F6"), Value(QString("as")));
    EXPECT_EQ(scattered.value(scattered.rows[9], "F12"), Value(QString("asasa")));
    EXPECT_EQ(test::failureOf([&] { mixed.describe("Sheet2$"); }),
              "The worksheet 'Sheet2$' holds no cells.");
}

} // namespace
