// Workbooks through the program's query path: Jet SQL over the engine the provider loads them
// into.
#include "WorkbookFixtures.h"
#include "data/jet/JetTestSupport.h"
#include "data/workbook/WorkbookProvider.h"

using data::jet::testing::rowsOf;
using Rows = QList<QStringList>;

namespace {

class WorkbookQuery : public test::workbook::WithMadeWorkbooks {
protected:
    void SetUp() override {
        WithMadeWorkbooks::SetUp();
        if (!HasFailure())
            provider = data::workbook::openWorkbookProvider(madeWorkbook("types.xls"));
    }
    Rows rows(const QString& sql) { return rowsOf(*provider, sql); }

    std::unique_ptr<data::Provider> provider;
};

TEST_F(WorkbookQuery, CountsGroupsAndFiltersTheRowsOfAWorksheet) {
    EXPECT_EQ(rows("SELECT Region, Count(*) AS N FROM [Sheet1$] GROUP BY Region"),
              Rows({{"NULL", "1"}, {"East", "1"}, {"North", "3"}, {"South", "1"}}));
    EXPECT_EQ(rows("SELECT Count(*) FROM [Sheet1$] WHERE Paid = True"), Rows({{"2"}}));
    EXPECT_EQ(rows("SELECT Name1, [2024] FROM [Joe's$] WHERE F2 = 'y'"), Rows({{"b", "2"}}));
    EXPECT_EQ(rows("SELECT Count(*) FROM [Dates$] WHERE Moment > #2001-01-01#"), Rows({{"1"}}));
    // A sheet whose cells start away from A1 is described by the cells it has.
    const auto structure = provider->execute("Select * From [Offset$] Where 1 = 0");
    ASSERT_EQ(structure->fieldCount(), 2);
    EXPECT_EQ(structure->fieldName(1), "Value");
    EXPECT_FALSE(structure->next());
}

} // namespace
