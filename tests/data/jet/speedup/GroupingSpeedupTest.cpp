// The engine's grouping index and the summary of the tree's first two levels: the statements the
// tree writes read them as its levels go deeper, a level read from the summary gives exactly
// what the index gives, and both follow the tree's order when it changes. (Whole trees over the
// sample database check the figures of levels read either way.)
#include "data/AdoTypes.h"
#include "data/Dialect.h"
#include "data/Error.h"
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
        rows.push_back({regions[i % 5], cities[i % 7], amount, std::int64_t(i), shipped,
                        QByteArray(1, char(i))});
    }
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales",
                 {{"Region", adVarWChar, 0},
                  {"City", adVarWChar, 0},
                  {"Amount", adDouble, 0},
                  {"Serial", adInteger, 0},
                  {"Shipped", adDate, 0},
                  {"Photo", adLongVarBinary, 0}}},
                std::move(rows));
    return source;
}

class GroupingSpeedup : public ::testing::Test {
protected:
    JetProvider provider{sales(), [] { return std::vector<data::TableEntry>{}; }};
    Engine& engine = provider.engine();

    // The plan of a statement, steps joined by " / ".
    QString plan(const QString& jetSql) {
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
    // The definitions of the indexes on the table.
    QStringList indexes() {
        QStringList sql;
        Statement rows = engine.prepare(
            "SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = 'Sales'");
        while (rows.step())
            sql << rows.value(0).toString();
        return sql;
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

// Any order makes a level another statement, which counts over the index instead.
TEST_F(GroupingSpeedup, ALevelReadFromTheSummaryEqualsTheSameLevelCountedOverTheIndex) {
    const struct {
        QStringList order;
        QStringList conditions;
    } cases[] = {
        // A first group in another case than its values, the null group and a group that is not
        // there; below dates to the second.
        {{"Region", "City", "Amount", "Serial"},
         {"[Region] = 'süd'", "[Region] IS NULL", "[Region] = 'West'"}},
        {{"Shipped", "Region", "Amount"},
         {"[Shipped] = CDate('2001-03-02 08:00:00')", "[Shipped] IS NULL"}},
    };
    for (const auto& c : cases) {
        provider.prepareGrouping("[Sales]", c.order);
        for (const QString& condition : c.conditions) {
            SCOPED_TRACE(condition.toStdString());
            const QString sql = level2(c.order[1], c.order[2], condition);
            const QString overIndex = sql + " ORDER BY [" + c.order[1] + "]";
            EXPECT_TRUE(plan(sql).contains(" groups")) << plan(sql).toStdString();
            ASSERT_FALSE(plan(overIndex).contains(" groups")) << plan(overIndex).toStdString();
            EXPECT_EQ(rows(sql), rows(overIndex));
        }
    }
}

TEST_F(GroupingSpeedup, OnlyLevel2StatementsOfItsOwnColumnsReadTheSummary) {
    provider.prepareGrouping("[Sales]", {"Region", "City", "Amount", "Serial"});
    const QString deeper = "SELECT [Amount] AS CNAME, COUNT([Amount]) AS CCNT FROM [Sales] "
                           "WHERE [Amount] IS NOT NULL AND [Region] = 'North' AND [City] = "
                           "'Oslo' GROUP BY [Amount]";
    for (const QString& other :
         {level2("City", "Serial", "[Region] = 'North'"), level2("City", "", "[Region] > 'N'"),
          level2("City", "", "[Region] = [City]"), deeper})
        EXPECT_FALSE(plan(other).contains(" groups")) << other.toStdString();
}

TEST_F(GroupingSpeedup, TheIndexFollowsTheTreeOrderAndStopsBeforeRawBytes) {
    const QStringList regionCity = {R"(CREATE INDEX "~grouping 1" ON "Sales" ("Region", "City"))"};
    provider.prepareGrouping("[Sales]", {"Region", "City", "Photo", "Serial"});
    EXPECT_EQ(indexes(), regionCity);
    provider.prepareGrouping("[Sales]", {"Region", "City", "Vanished", "Serial"});
    EXPECT_EQ(indexes(), regionCity);
    provider.prepareGrouping("[Sales]", {"REGION", "CITY"});
    EXPECT_EQ(indexes(), regionCity) << "the same order again builds nothing";

    // A grid still reading rows keeps the old index from being dropped; the new one is built all
    // the same, and the old one goes with the next change.
    const auto reading = provider.execute("SELECT Region FROM Sales");
    ASSERT_TRUE(reading->next());
    provider.prepareGrouping("[Sales]", {"City", "Amount"});
    EXPECT_EQ(indexes().size(), 2);
    while (reading->next()) {
    }
    provider.prepareGrouping("[Sales]", {"Amount"});
    EXPECT_EQ(indexes(), QStringList({R"(CREATE INDEX "~grouping 3" ON "Sales" ("Amount"))"}));

    // A record source that is no table of the file leaves things as they are.
    provider.prepareGrouping("[Sales Query]", {"Region"});
    EXPECT_EQ(indexes().size(), 1);
    EXPECT_THROW(provider.prepareGrouping("Sales WHERE", {"Region"}), data::Error);
    EXPECT_EQ(rows("SELECT COUNT(1) FROM [Sales]"), std::vector<QVariantList>({{240}}));
}

// A first level without an index for its order reads its groups made in one pass over the
// table; it gives what the level's statements give when SQLite sorts the rows: the text of each
// group's first row, and sums added in the rows' order to the last bit. 120,000 rows are more
// than SQLite sorts in memory at once, and every group's rows are written in several cases.
TEST(LevelGroups, AFirstLevelReadFromItsGroupsGivesTheStatementsOwnAnswer) {
    // "Kiel" also with the Kelvin sign, which folds to an ASCII "k".
    const QString cities[] = {"Oslo",  "OSLO", "oslo", "Bergen", "BERGEN",    "Århus", "ÅRHUS",
                              "åRhus", "Bodø", "BODØ", "Kiel",   "\u212Aiel", "KIEL"};
    std::vector<Row> rows;
    std::uint32_t random = 12345;
    const auto next = [&] { return random = random * 1103515245u + 12345u, random >> 8; };
    for (int i = 0; i < 120000; ++i) {
        const std::uint32_t r = next();
        const Cell city = r % 23 == 0 ? Cell(nullptr) : Cell(cities[r % 13]);
        const Cell amount = r % 17 == 0 ? Cell(nullptr) : Cell((r % 100003) * 0.01 + 0.1);
        rows.push_back({city, amount, std::int64_t(r % 7), Amount{std::int64_t(r % 99991) * 7}});
    }
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales",
                 {{"City", adVarWChar, 0},
                  {"Amount", adDouble, 0},
                  {"Units", adInteger, 0},
                  {"Price", adCurrency, 0}}},
                std::move(rows));
    JetProvider provider{source, [] { return std::vector<data::TableEntry>{}; }};
    // Each row's values with their types, reals to the last bit.
    const auto all = [&](const QString& sql) {
        QStringList result;
        const auto cursor = provider.execute(sql);
        while (cursor->next()) {
            QStringList row;
            for (int i = 0; i < cursor->fieldCount(); ++i)
                row << cursor->value(i).toString() + ":" + cursor->value(i).typeName();
            result << row.join(" | ");
        }
        return result;
    };
    const auto readsGroups = [&](const QString& sql) {
        return provider.engine()
            .queryPlan(translate(sql, provider.engine()).sqliteSql)
            .join(" ")
            .contains("~level");
    };
    const struct {
        QString column, statistics;
    } levels[] = {{"City", "Amount"}, {"Units", "Price"}, {"Amount", "Units"}, {"City", ""}};
    for (const auto& level : levels) {
        SCOPED_TRACE((level.column + " " + level.statistics).toStdString());
        QString figures;
        for (const char* f : {"Min", "Max", "Avg", "Sum"})
            if (!level.statistics.isEmpty())
                figures += QString(", %1([%2]) AS C%1").arg(f, level.statistics);
        const QString c = "[" + level.column + "]";
        const QString grouped = "SELECT " + c + " AS CNAME, COUNT(" + c + ") AS CCNT" + figures +
                                " FROM [Sales] WHERE " + c + " IS NOT NULL GROUP BY " + c;
        const QString nulls =
            "SELECT COUNT(1) AS CCNT" + figures + " FROM [Sales] WHERE " + c + " IS NULL";
        EXPECT_TRUE(readsGroups(grouped));
        EXPECT_TRUE(readsGroups(nulls));
        ASSERT_FALSE(readsGroups(grouped + " ORDER BY " + c));
        const auto groups = all(grouped);
        EXPECT_EQ(groups, all(grouped + " ORDER BY " + c));
        EXPECT_EQ(all(nulls), all(nulls + " AND 1 = 1"));
        if (level.column == "City") {
            EXPECT_EQ(groups.size(), 5u);
        }
    }
}
