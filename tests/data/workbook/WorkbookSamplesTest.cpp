// What the reader makes of the shared sample workbooks, written by others: worksheets, column
// names and types, row counts and values.
#include "WorkbookFixtures.h"
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/access/LoadedTable.h"
#include "data/workbook/WorkbookFile.h"
#include "data/workbook/WorkbookProvider.h"

using data::workbook::WorkbookFile;
using namespace test::access;
using namespace test::workbook;

namespace {

class WorkbookSamples : public WithSharedWorkbooks {};

QStringList columnNames(const LoadedTable& table) {
    QStringList names;
    for (const auto& column : table.definition.columns)
        names << column.name;
    return names;
}

std::vector<int> columnTypes(const LoadedTable& table) {
    std::vector<int> types;
    for (const auto& column : table.definition.columns)
        types.push_back(column.adoType);
    return types;
}

TEST_F(WorkbookSamples, ListEveryWorksheet) {
    EXPECT_EQ(WorkbookFile(sharedWorkbook("profiles.xls")).tableNames(),
              (QStringList{"PROFILEDEF$", "AXISDEF$", "TRAVERSALCHAINAGE$", "AXISDATUMLEVELS$",
                           "PROFILELEVELS$"}));
    EXPECT_EQ(WorkbookFile(sharedWorkbook("xf_class.xls")).tableNames(),
              (QStringList{"table1$", "table2$", "table3$"}));
    EXPECT_EQ(WorkbookFile(sharedWorkbook("issue20.xls")).tableNames(),
              (QStringList{"Sheet1$", "Sheet2$", "Sheet3$"}));
}

TEST_F(WorkbookSamples, ReadEngineeringTablesOfNumbers) {
    using namespace data::ado;
    WorkbookFile file(sharedWorkbook("profiles.xls"));

    const LoadedTable definitions = loadTable(file, "PROFILEDEF$");
    EXPECT_EQ(columnNames(definitions),
              (QStringList{"PROFIL", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l"}));
    std::vector<int> types(13, adDouble);
    types[0] = adVarWChar;
    EXPECT_EQ(columnTypes(definitions), types);
    ASSERT_EQ(definitions.rows.size(), 14u);
    EXPECT_EQ(definitions.rows.front()[0], Value(QString("P8.2")));
    EXPECT_EQ(definitions.rows.front()[1], Value(100.0));
    EXPECT_EQ(definitions.rows.back()[0], Value(QString("Q0")));
    EXPECT_EQ(definitions.rows.back()[12], Value(267.0));

    // Blank headers, and columns with no value at all.
    const LoadedTable axes = loadTable(file, "AXISDEF$");
    EXPECT_EQ(columnNames(axes), (QStringList{"PROFIL", "i", "d", "F4", "F5", "F6"}));
    EXPECT_EQ(columnTypes(axes), (std::vector<int>{adVarWChar, adDouble, adDouble, adVarWChar,
                                                   adVarWChar, adVarWChar}));
    EXPECT_EQ(axes.value(axes.rowWhere("PROFIL", QString("P9.3")), "d"), Value(109.0));
    EXPECT_EQ(columnNames(loadTable(file, "TRAVERSALCHAINAGE$")).front(), "F1");

    // Most of these levels are formulas, whose results the workbook keeps.
    const LoadedTable levels = loadTable(file, "PROFILELEVELS$");
    ASSERT_EQ(levels.definition.columns.size(), 31u);
    EXPECT_EQ(levels.definition.columns[1].name, QString("Quergefälle"));
    EXPECT_EQ(levels.definition.columns[30].name, "F31");
    EXPECT_EQ(levels.definition.columns[30].adoType, adVarWChar);
    for (std::size_t column = 1; column < 30; ++column)
        EXPECT_EQ(levels.definition.columns[column].adoType, adDouble) << column;
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
    EXPECT_EQ(columnNames(ragged), (QStringList{"a", "b", "c", "F4"}));
    const Value n = Null{};
    EXPECT_EQ(ragged.rows,
              (std::vector<Row>{{QString("d"), QString("e"), n, n},
                                {QString("f"), n, n, n},
                                {QString("g"), QString("h"), QString("I"), QString("j")},
                                {QString("k"), n, n, QString("l")}}));
}

TEST_F(WorkbookSamples, ReadSheetsWhoseCellsAreMostlyFormattingAndTellEmptyOnes) {
    WorkbookFile formats(sharedWorkbook("xf_class.xls"));
    const LoadedTable colours = loadTable(formats, "table1$");
    EXPECT_EQ(columnNames(colours), (QStringList{"RED", "RED1", "F3"}));
    ASSERT_EQ(colours.rows.size(), 9u);
    EXPECT_EQ(colours.rows[2], (Row{QString("LEFT"), QString("CENTER"), QString("RIGHT")}));
    EXPECT_EQ(colours.rows.back()[0], Value(QString("borderstyle")));
    // One merged cell with a value, then formatted cells without any.
    const LoadedTable merged = loadTable(formats, "table2$");
    EXPECT_EQ(columnNames(merged), (QStringList{"MERGED", "F2", "F3"}));
    EXPECT_EQ(merged.rows.size(), 3u);

    WorkbookFile mixed(sharedWorkbook("issue20.xls"));
    const LoadedTable scattered = loadTable(mixed, "Sheet1$");
    ASSERT_EQ(scattered.definition.columns.size(), 13u);
    EXPECT_EQ(scattered.definition.columns[0].name, "aasa");
    EXPECT_EQ(scattered.definition.columns[12].name, "F13");
    ASSERT_EQ(scattered.rows.size(), 16u);
    EXPECT_EQ(scattered.value(scattered.rows[10], "aasa"), Value(QString("legenda ")));
    EXPECT_EQ(scattered.value(scattered.rows[10], "F6"), Value(QString("as")));
    EXPECT_EQ(scattered.value(scattered.rows[9], "F12"), Value(QString("asasa")));
    try {
        mixed.describe("Sheet2$");
        ADD_FAILURE() << "an empty worksheet described";
    } catch (const data::Error& error) {
        EXPECT_EQ(error.description(), "The worksheet 'Sheet2$' holds no cells.");
    }
}

TEST_F(WorkbookSamples, AnswerQueries) {
    const auto provider = data::workbook::openWorkbookProvider(sharedWorkbook("profiles.xls"));
    const auto cursor = provider->execute(
        "SELECT Count(*) AS N, Max(l) AS Highest FROM [PROFILEDEF$] WHERE PROFIL Like 'P9*'");
    ASSERT_TRUE(cursor->next());
    EXPECT_EQ(cursor->value(0).toInt(), 7);
    EXPECT_EQ(cursor->value(1).toDouble(), 255.0);
}

} // namespace
