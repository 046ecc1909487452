// The engine's index for the grouping tree: the statements the tree writes for each level read
// it as the levels go deeper, and it follows the tree's order when that changes.
#include "data/AdoTypes.h"
#include "data/Dialect.h"
#include "data/Error.h"
#include "data/jet/JetProvider.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"
#include "tree/Columns.h"
#include "tree/GroupingModel.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

std::shared_ptr<MemoryTableSource> orders() {
    auto source = std::make_shared<MemoryTableSource>();
    source->add(
        {"Orders",
         {{"Region", adVarWChar, 0},
          {"City", adVarWChar, 0},
          {"OrderDate", adDate, 0},
          {"Amount", adDouble, 0},
          {"Photo", adLongVarBinary, 0},
          {"Qty", adInteger, 0}}},
        {{QString("North"), QString("Oslo"), date(2001, 3, 4), 10.0, QByteArray("x"),
          std::int64_t(1)},
         {QString("NORTH"), QString("Bergen"), date(2001, 4, 1), 2.5, nullptr, std::int64_t(2)},
         {QString("Süd"), nullptr, date(2002, 1, 9), -1.0, nullptr, std::int64_t(3)},
         {nullptr, QString("Oslo"), nullptr, 4.0, nullptr, std::int64_t(4)}});
    return source;
}

class TreeIndex : public ::testing::Test {
protected:
    JetProvider provider{orders(), [] { return std::vector<data::TableEntry>{}; }};
    Engine& engine = provider.engine();

    // The plan of a tree statement, steps joined by " / ".
    QString plan(const QString& jetSql) {
        return engine.queryPlan(translate(jetSql, engine).sqliteSql).join(" / ");
    }
    // Every row's first value.
    QStringList column(const QString& jetSql) {
        QStringList values;
        const auto rows = provider.execute(jetSql);
        while (rows->next())
            values << rows->value(0).toString();
        return values;
    }
    // The definitions of the engine's indexes.
    QStringList indexes() {
        QStringList sql;
        Statement rows = engine.prepare("SELECT sql FROM sqlite_master WHERE type = 'index'");
        while (rows.step())
            sql << rows.value(0).toString();
        return sql;
    }
    // The tree over these columns of the table, in this order.
    static tree::GroupingModel
    grouping(std::initializer_list<std::pair<QString, data::Conversion>> columns) {
        const data::ColInfoTable table = test::columnTable(columns);
        tree::GroupingModel model;
        model.open("[Orders]", data::Dialect::Jet,
                   std::span(table.begin(), table.begin() + qsizetype(columns.size())));
        return model;
    }
    // The statements of the level below the node whose path is given as values, one per level
    // from depth 1, the date column grouped by month.
    static tree::LevelSql level(tree::GroupingModel& model, const QVariantList& values) {
        tree::NodePath path;
        for (const QVariant& v : values)
            path.values.push_back(
                {v, v.typeId() == QMetaType::QString ? adVarWChar : adDouble, ""});
        return model.startLevel(int(values.size()), path, "Month").sql;
    }
};

} // namespace

TEST_F(TreeIndex, DeepLevelsSearchItAndTheFirstLevelReadsItInOrder) {
    using data::Conversion;
    tree::GroupingModel columns = grouping({{"[Region]", Conversion::CStr},
                                            {"[City]", Conversion::CStr},
                                            {"[OrderDate]", Conversion::CDate},
                                            {"[Amount]", Conversion::CDbl}});
    columns.ColInfo[2].ColDateGroup = "Month";
    const QStringList terms = columns.groupingTerms("Year");
    EXPECT_EQ(terms[2], R"(Format([OrderDate], "yyyy\/mm"))") << "the group fixed for the column";
    provider.prepareGrouping("[Orders]", terms);
    EXPECT_EQ(indexes(),
              QStringList({R"(CREATE INDEX "~grouping 1" ON "Orders" ("Region", "City", )"
                           R"(vb_format("OrderDate", 'yyyy\/mm'), "Amount", "OrderDate"))"}));

    // The root and the root's rows read the table itself, in the source's order.
    EXPECT_EQ(plan(grouping({{"[Amount]", Conversion::CDbl}, {"[Region]", Conversion::CStr}})
                       .rootStatement()),
              "SCAN Orders");
    EXPECT_EQ(plan("SELECT [Region], [City] FROM [Orders]"), "SCAN Orders");

    const tree::LevelSql first = level(columns, {});
    EXPECT_EQ(plan(tree::groupedStatement(columns.ColInfo, first)),
              "SEARCH Orders USING COVERING INDEX ~grouping 1 (Region>?)");
    EXPECT_EQ(plan(tree::nullGroupStatement(columns.ColInfo, first)),
              "SEARCH Orders USING COVERING INDEX ~grouping 1 (Region=?)");

    // Below a text node: its rows are one range of the index, grouped as they come.
    const tree::LevelSql second = level(columns, {"north"});
    EXPECT_EQ(plan(tree::groupedStatement(columns.ColInfo, second)),
              "SEARCH Orders USING COVERING INDEX ~grouping 1 (Region=? AND City>?)");
    EXPECT_EQ(plan(tree::nullGroupStatement(columns.ColInfo, second)),
              "SEARCH Orders USING COVERING INDEX ~grouping 1 (Region=? AND City=?)");
    EXPECT_EQ(column(tree::groupedStatement(columns.ColInfo, second)),
              QStringList({"Bergen", "Oslo"}));

    // A month level groups in index order too, and a month's rows are one range.
    const tree::LevelSql third = level(columns, {"North", "Oslo"});
    EXPECT_EQ(plan(tree::groupedStatement(columns.ColInfo, third)),
              "SEARCH Orders USING COVERING INDEX ~grouping 1 (Region=? AND City=?)");
    EXPECT_EQ(column(tree::groupedStatement(columns.ColInfo, third)), QStringList({"2001/03"}));
    const tree::LevelSql fourth = level(columns, {"North", "Oslo", "2001/03"});
    EXPECT_EQ(plan(tree::groupedStatement(columns.ColInfo, fourth)),
              "SEARCH Orders USING COVERING INDEX ~grouping 1 (Region=? AND City=? AND <expr>=? "
              "AND Amount>?)");
    EXPECT_EQ(column(tree::groupedStatement(columns.ColInfo, fourth)), QStringList({"10"}));
}

TEST_F(TreeIndex, AFirstMonthLevelGroupsInOrderAndFindsItsNullGroup) {
    tree::GroupingModel columns =
        grouping({{"[OrderDate]", data::Conversion::CDate}, {"[Amount]", data::Conversion::CDbl}});
    provider.prepareGrouping("[Orders]", columns.groupingTerms("Month"));
    const tree::LevelSql first = level(columns, {});
    EXPECT_EQ(plan(tree::groupedStatement(columns.ColInfo, first)),
              "SCAN Orders USING COVERING INDEX ~grouping 1");
    EXPECT_EQ(plan(tree::nullGroupStatement(columns.ColInfo, first)),
              "SCAN Orders USING COVERING INDEX ~grouping 1 nulls");
    EXPECT_EQ(column(tree::nullGroupStatement(columns.ColInfo, first)), QStringList({"1"}));
    EXPECT_EQ(column(tree::groupedStatement(columns.ColInfo, first)),
              QStringList({"2001/03", "2001/04", "2002/01"}));
    // A month's rows are one range of the index: the span of dates that narrows a scan is left
    // out there, and kept where the month is not what the index begins with.
    const QString month =
        R"(SELECT [Amount] FROM [Orders] WHERE Format([OrderDate], "yyyy\/mm") = '2001/04')";
    EXPECT_EQ(
        QString(translate(month, engine).sqliteSql),
        R"(SELECT "Amount" AS "Amount" FROM "Orders" WHERE (vb_format("OrderDate", 'yyyy\/mm') = '2001/04'))");
    EXPECT_EQ(column(month), QStringList({"2.5"}));

    // Both go when the order changes.
    provider.prepareGrouping("[Orders]", {"[Amount]"});
    EXPECT_EQ(indexes(), QStringList({R"(CREATE INDEX "~grouping 2" ON "Orders" ("Amount"))"}));
    EXPECT_TRUE(
        translate(month, engine).sqliteSql.contains("\"OrderDate\" >= '2001-04-01 00:00:00'"));
}

TEST_F(TreeIndex, FollowsTheTreeOrderAndStopsBeforeRawBytes) {
    provider.prepareGrouping("[Orders]", {"Region", "City", "Photo", "Qty"});
    EXPECT_EQ(indexes(),
              QStringList({R"(CREATE INDEX "~grouping 1" ON "Orders" ("Region", "City"))"}));
    provider.prepareGrouping("[Orders]", {"Region", "City", "Vanished", "Qty"});
    EXPECT_EQ(indexes(),
              QStringList({R"(CREATE INDEX "~grouping 1" ON "Orders" ("Region", "City"))"}));
    provider.prepareGrouping("[Orders]", {"REGION", "CITY"});
    EXPECT_EQ(indexes().size(), 1) << "the same order again builds nothing";

    // A grid still reading rows keeps the old index from being dropped; the new one is built all
    // the same, and the old one goes with the next change.
    const auto reading = provider.execute("SELECT Region FROM Orders");
    ASSERT_TRUE(reading->next());
    provider.prepareGrouping("[Orders]", {"City", "Amount"});
    EXPECT_EQ(indexes().size(), 2);
    EXPECT_EQ(plan("SELECT COUNT(1) AS CCNT FROM [Orders] WHERE [City] = 'Oslo'"),
              "SEARCH Orders USING COVERING INDEX ~grouping 2 (City=?)");
    while (reading->next()) {
    }
    provider.prepareGrouping("[Orders]", {"Amount"});
    EXPECT_EQ(indexes(), QStringList({R"(CREATE INDEX "~grouping 3" ON "Orders" ("Amount"))"}));

    // A record source that is no table of the file leaves things as they are.
    provider.prepareGrouping("[Orders Query]", {"Region"});
    EXPECT_EQ(indexes().size(), 1);
    EXPECT_THROW(provider.prepareGrouping("Orders WHERE", {"Region"}), data::Error);
    EXPECT_EQ(column("SELECT COUNT(1) FROM [Orders] WHERE [Amount] > 0"), QStringList({"3"}));
}
