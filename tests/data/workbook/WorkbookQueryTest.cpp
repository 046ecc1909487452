// Workbooks through the program's query path: Jet SQL over the engine the provider loads them
// into.
#include "WorkbookFixtures.h"
#include "data/Error.h"
#include "data/workbook/WorkbookProvider.h"

#include <QVariant>
#include <map>

using data::workbook::openWorkbookProvider;
using namespace test::workbook;

namespace {

class WorkbookQuery : public WithMadeWorkbooks {
protected:
    std::unique_ptr<data::Provider> provider = nullptr;

    void SetUp() override {
        WithMadeWorkbooks::SetUp();
        if (!IsSkipped() && !HasFailure())
            provider = openWorkbookProvider(madeWorkbook("types.xls"));
    }

    std::vector<std::vector<QVariant>> rows(const QString& sql) {
        const auto cursor = provider->execute(sql);
        std::vector<std::vector<QVariant>> result;
        while (cursor->next()) {
            result.emplace_back();
            for (int i = 0; i < cursor->fieldCount(); ++i)
                result.back().push_back(cursor->value(i));
        }
        return result;
    }

    QString failureOf(const QString& sql) {
        try {
            rows(sql);
        } catch (const data::Error& error) {
            return error.description();
        }
        return {};
    }
};

TEST_F(WorkbookQuery, CountsAndGroupsTheRowsOfAWorksheet) {
    EXPECT_EQ(rows("SELECT Count(1) AS N FROM [Sheet1$]")[0][0].toInt(), 6);

    std::map<QString, int> byRegion;
    for (const auto& row : rows("SELECT Region, Count(*) AS N, Sum(Amount) AS Total "
                                "FROM [Sheet1$] GROUP BY Region"))
        byRegion[row[0].isNull() ? QString("(null)") : row[0].toString()] = row[1].toInt();
    EXPECT_EQ(byRegion,
              (std::map<QString, int>{{"(null)", 1}, {"East", 1}, {"North", 3}, {"South", 1}}));

    const auto paid = rows("SELECT Count(*) FROM [Sheet1$] WHERE Paid = True");
    EXPECT_EQ(paid[0][0].toInt(), 2);
    const auto joes = rows("SELECT Name1, [2024] FROM [Joe's$] WHERE F2 = 'y'");
    ASSERT_EQ(joes.size(), 1u);
    EXPECT_EQ(joes[0][0].toString(), "b");
    EXPECT_EQ(joes[0][1].toDouble(), 2.0);
    const auto late = rows("SELECT Count(*) FROM [Dates$] WHERE Moment > #2001-01-01#");
    EXPECT_EQ(late[0][0].toInt(), 1);
}

TEST_F(WorkbookQuery, EndsTheStructureQueryOfAWorksheetWithoutCellsInAClearError) {
    EXPECT_EQ(failureOf("Select * From [Empty$] Where 1 = 0"),
              "The worksheet 'Empty$' holds no cells.");
    const auto structure = provider->execute("Select * From [Offset$] Where 1 = 0");
    ASSERT_EQ(structure->fieldCount(), 2);
    EXPECT_EQ(structure->fieldName(1), "Value");
    EXPECT_FALSE(structure->next());
}

TEST_F(WorkbookQuery, ListsTheWorksheetsAsTables) {
    const auto tables = provider->tables();
    QStringList names;
    while (tables->next()) {
        EXPECT_EQ(tables->value(3).toString(), "SYSTEM TABLE");
        names << tables->value(2).toString();
    }
    names.sort();
    EXPECT_EQ(names, (QStringList{"Dates$", "Empty$", "Exact$", "Joe's$", "Offset$", "Sheet1$"}));
}

} // namespace
