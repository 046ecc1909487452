// The summary of the tree's first two levels: a level-2 statement answered from it gives exactly
// what the grouping index gives, and it is made only where it saves a count of many entries.
#include "data/AdoTypes.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

// 240 sales over 3 regions and 4 cities, each written in two cases, with nulls in every column;
// amounts with decimals no double holds exactly, so that a sum in another order would differ.
std::shared_ptr<MemoryTableSource> sales() {
    const Cell regions[] = {QString("North"), QString("NORTH"), QString("Süd"), QString("SÜD"),
                            nullptr};
    const Cell cities[] = {QString("Oslo"),  QString("OSLO"),  QString("Bergen"), nullptr,
                           QString("Århus"), QString("ÅRHUS"), QString("Bodø")};
    std::vector<Row> rows;
    for (int i = 0; i < 240; ++i) {
        const Cell amount = i % 11 == 0 ? Cell(nullptr) : Cell((i % 13) * 0.1 + (i % 5) * 0.7);
        const Cell shipped = i % 4 == 3 ? Cell(nullptr) : Cell(date(2001, 3, 1 + i % 4, i % 2 * 8));
        rows.push_back({regions[i % 5], cities[i % 7], amount, Amount{(i % 3) * 12345},
                        std::int64_t(i), shipped});
    }
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales",
                 {{"Region", adVarWChar, 0},
                  {"City", adVarWChar, 0},
                  {"Amount", adDouble, 0},
                  {"Price", adCurrency, 0},
                  {"Serial", adInteger, 0},
                  {"Shipped", adDate, 0}}},
                std::move(rows));
    return source;
}

class Summary : public ::testing::Test {
protected:
    JetProvider provider{sales(), [] { return std::vector<data::TableEntry>{}; }};

    QString plan(const QString& jetSql) {
        auto& engine = provider.engine();
        return engine.queryPlan(translate(jetSql, engine).sqliteSql).join(" / ");
    }
    // Every value of every row, with its type, as the statement returns them.
    std::vector<QVariantList> rows(const QString& jetSql) {
        std::vector<QVariantList> all;
        const auto cursor = provider.execute(jetSql);
        while (cursor->next()) {
            QVariantList row;
            for (int i = 0; i < cursor->fieldCount(); ++i)
                row << cursor->value(i);
            all.push_back(row);
        }
        return all;
    }
    // A level-2 statement of the tree under one first-level group.
    static QString level2(const QString& second, const QString& statistics,
                          const QString& condition) {
        QString sql = "SELECT [" + second + "] AS CNAME, COUNT([" + second + "]) AS CCNT";
        for (const char* f : {"Min", "Max", "Avg", "Sum"})
            if (!statistics.isEmpty())
                sql += QString(", %1([%2]) AS C%1").arg(f, statistics);
        return sql + " FROM [Sales] WHERE [" + second + "] IS NOT NULL  AND " + condition +
               " GROUP BY [" + second + "]";
    }
};

} // namespace

TEST_F(Summary, ALevelReadFromItEqualsTheSameLevelCountedOverTheIndex) {
    for (const QString& statistics : {QString("Amount"), QString("Price")}) {
        SCOPED_TRACE(statistics.toStdString());
        provider.prepareGrouping("[Sales]", {"Region", "City", statistics, "Serial"});
        for (const QString& condition :
             {QString("[Region] = 'North'"), QString("[Region] = 'süd'"),
              QString("[Region] IS NULL"), QString("[Region] = 'West'")}) {
            SCOPED_TRACE(condition.toStdString());
            const QString sql = level2("City", statistics, condition);
            EXPECT_TRUE(plan(sql).contains("~grouping")) << plan(sql).toStdString();
            EXPECT_TRUE(plan(sql).contains(" groups")) << plan(sql).toStdString();
            // Any order makes it another statement, which counts over the index.
            const QString overIndex = sql + " ORDER BY [City]";
            ASSERT_FALSE(plan(overIndex).contains(" groups")) << plan(overIndex).toStdString();
            EXPECT_EQ(rows(sql), rows(overIndex));
        }
    }
    // The same level grouped by the first column's value in another case, by a currency column
    // below a text one, and below dates to the second.
    provider.prepareGrouping("[Sales]", {"City", "Price", "Amount"});
    for (const QString& condition : {QString("[City] = 'oslo'"), QString("[City] IS NULL")}) {
        const QString sql = level2("Price", "Amount", condition);
        EXPECT_TRUE(plan(sql).contains(" groups")) << plan(sql).toStdString();
        EXPECT_EQ(rows(sql), rows(sql + " ORDER BY [Price]"));
    }
    provider.prepareGrouping("[Sales]", {"Shipped", "Region", "Amount"});
    for (const QString& condition :
         {QString("[Shipped] = CDate('2001-03-02 08:00:00')"), QString("[Shipped] IS NULL")}) {
        const QString sql = level2("Region", "Amount", condition);
        EXPECT_TRUE(plan(sql).contains(" groups")) << plan(sql).toStdString();
        EXPECT_EQ(rows(sql).size(), 2u) << "North and Süd, each in two cases";
        EXPECT_EQ(rows(sql), rows(sql + " ORDER BY [Region]"));
    }
}

TEST_F(Summary, OnlyLevel2StatementsOfItsOwnColumnsReadIt) {
    provider.prepareGrouping("[Sales]", {"Region", "City", "Amount", "Serial"});
    const QString deeper = "SELECT [Amount] AS CNAME, COUNT([Amount]) AS CCNT FROM [Sales] "
                           "WHERE [Amount] IS NOT NULL AND [Region] = 'North' AND [City] = "
                           "'Oslo' GROUP BY [Amount]";
    for (const QString& other :
         {level2("City", "Serial", "[Region] = 'North'"), level2("City", "", "[Region] > 'N'"),
          level2("City", "", "[Region] = [City]"), level2("Amount", "", "[Region] = 'North'"),
          deeper})
        EXPECT_FALSE(plan(other).contains(" groups")) << other.toStdString();

    // Groups of a row or two save nothing: there is no summary, and the index serves.
    provider.prepareGrouping("[Sales]", {"Serial", "City"});
    const QString sql = level2("City", "", "[Serial] = 7");
    EXPECT_EQ(plan(sql), "SEARCH Sales USING COVERING INDEX ~grouping 2 (Serial=? AND City>?)");
    EXPECT_EQ(rows(sql).size(), 1u);
}
