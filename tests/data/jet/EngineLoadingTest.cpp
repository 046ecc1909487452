#include "data/AdoTypes.h"
#include "data/jet/JetTestSupport.h"
#include "support/DataFailure.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;
using namespace data::ado;

namespace {

std::shared_ptr<MemoryTableSource> ordersAndCustomers() {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Orders", {{"Id", adInteger, 0}}}, {{std::int64_t(1)}, {std::int64_t(2)}});
    source->add({"Customers", {{"Id", adInteger, 0}}}, {{std::int64_t(7)}});
    source->add({"Umsätze", {{"Betrag", adCurrency, 0}}}, {{Amount{15000}}});
    source->add({R"(Joe's "best" Orders)", {{"Unit Price", adDouble, 0}}}, {{2.5}});
    return source;
}

} // namespace

TEST(EngineLoading, LoadsATableOnceWhenItIsFirstNamed) {
    auto source = ordersAndCustomers();
    QueryRunner runner(source);
    Engine& engine = runner.engine();
    EXPECT_TRUE(source->describeCalls.empty());

    const TableInfo* orders = engine.findTable("orders");
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->name, "Orders");
    EXPECT_EQ(engine.findTable("ORDERS"), orders);
    EXPECT_EQ(source->describeCalls["Orders"], 1);
    EXPECT_EQ(source->loadCalls["Orders"], 1);
    EXPECT_EQ(source->loadCalls.count("Customers"), 0u);
    EXPECT_EQ(runner.value("SELECT sum(Id) FROM Orders").toInt(), 3);
    EXPECT_NE(runner.errorOf("SELECT * FROM Customers"), "");
    EXPECT_EQ(engine.findTable("Suppliers"), nullptr);

    // Tables keep the source's own names, whatever their letters and quotes.
    ASSERT_NE(engine.findTable("UMSÄTZE"), nullptr);
    EXPECT_EQ(runner.value("SELECT \"Betrag\" FROM \"Umsätze\"").toLongLong(), 15000);
    ASSERT_NE(engine.findTable(R"(joe's "BEST" orders)"), nullptr);
    EXPECT_EQ(runner.value(R"(SELECT "Unit Price" FROM "Joe's ""best"" Orders")").toDouble(), 2.5);
}

// The next query's table may be loaded while the rows of an earlier one are still being read.
TEST(EngineLoading, LoadsWhileAnotherQueryIsOpen) {
    QueryRunner runner(ordersAndCustomers());
    runner.engine().findTable("Orders");
    Statement orders = runner.engine().prepare("SELECT Id FROM Orders ORDER BY Id");
    ASSERT_TRUE(orders.step());
    ASSERT_NE(runner.engine().findTable("Customers"), nullptr);
    EXPECT_EQ(runner.value("SELECT Id FROM Customers").toInt(), 7);
    ASSERT_TRUE(orders.step());
    EXPECT_EQ(orders.value(0).toInt(), 2);
    EXPECT_FALSE(orders.step());
}

// Whole numbers stay exact; what the engine cannot compare as a value is kept as bytes.
TEST(EngineLoading, StorageFollowsTheTypeCode) {
    const std::pair<SourceColumn, Storage> columns[] = {
        {{"Byte", adUnsignedTinyInt, 0}, Storage::Integer},
        {{"Whole", adNumeric, 0}, Storage::Integer},
        {{"Decimals", adNumeric, 2}, Storage::Real},
        {{"Money", adCurrency, 0}, Storage::Currency},
        {{"Stamp", adDBTimeStamp, 0}, Storage::DateTime},
        {{"Code", adChar, 0}, Storage::Text},
        {{"Guid", adGUID, 0}, Storage::Blob},
        {{"Odd", 999, 0}, Storage::Blob},
    };
    SourceTable table{"Everything", {}};
    for (const auto& [column, storage] : columns)
        table.columns.push_back(column);
    auto source = std::make_shared<MemoryTableSource>();
    source->add(table, {});
    QueryRunner runner(source);
    const TableInfo* info = runner.engine().findTable("Everything");
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->columns.size(), std::size(columns));
    for (std::size_t i = 0; i < info->columns.size(); ++i)
        EXPECT_EQ(info->columns[i].storage, columns[i].second)
            << columns[i].first.name.toStdString();
}

// Amounts are whole numbers of ten-thousandths, so sums of many small amounts stay exact.
TEST(EngineLoading, CurrencySumsStayExact) {
    auto source = std::make_shared<MemoryTableSource>();
    std::vector<Row> rows;
    for (int i = 0; i < 100000; ++i)
        rows.push_back({Amount{1}, 0.1});
    source->add({"Ledger", {{"Tiny", adCurrency, 0}, {"Tenth", adCurrency, 0}}}, rows);
    QueryRunner runner(source);
    runner.engine().findTable("Ledger");
    EXPECT_EQ(runner.value("SELECT sum(Tiny) FROM Ledger").toLongLong(), 100000);
    EXPECT_EQ(runner.value("SELECT sum(Tenth) FROM Ledger").toLongLong(), 100000000);
    EXPECT_EQ(runner.value("SELECT sum(Tiny) / 10000.0 FROM Ledger").toDouble(), 10.0);
}

// A reader may give a value in another kind than the column's; it is stored as the column's.
TEST(EngineLoading, ValuesTakeTheColumnsStorage) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Mixed",
                 {{"Money", adCurrency, 0},
                  {"Count", adInteger, 0},
                  {"Flag", adBoolean, 0},
                  {"When", adDate, 0},
                  {"Label", adVarWChar, 0}}},
                {
                    {1.1, 2.5, true, 36954.5, std::int64_t(42)},
                    {QString("12.5"), Amount{35000}, std::int64_t(5), date(2001, 2, 30),
                     date(2001, 3, 4, 10, 5, 9)},
                    {Amount{-1}, NotGiven{}, false, QString("2001-03-04"), 1.5},
                });
    QueryRunner runner(source);
    runner.engine().findTable("Mixed");
    EXPECT_EQ(runner.column("SELECT Money FROM Mixed"), (QVariantList{11000, 125000, -1}));
    EXPECT_EQ(runner.column("SELECT Count FROM Mixed"), (QVariantList{2, 4, QVariant()}));
    EXPECT_EQ(runner.column("SELECT Flag FROM Mixed"), (QVariantList{-1, -1, 0}));
    EXPECT_EQ(runner.column("SELECT \"When\" FROM Mixed"),
              (QVariantList{"2001-03-04 12:00:00", QVariant(), "2001-03-04"}));
    EXPECT_EQ(runner.column("SELECT Label FROM Mixed"),
              (QVariantList{"42", "2001-03-04 10:05:09", "1.5"}));
}

// Each row's text is stored whole, whatever the rows before it held.
TEST(EngineLoading, TextOfEachRowIsStoredAsGiven) {
    auto source = std::make_shared<MemoryTableSource>();
    const QStringList texts = {"a longer text first", "short", "Umsätze", "ok", "", "日本語", "x"};
    std::vector<Row> rows;
    for (const QString& text : texts)
        rows.push_back({text, text == "ok" ? Cell(NotGiven{}) : Cell(text)});
    source->add({"Texts", {{"Name", adVarWChar, 0}, {"Other", adVarWChar, 0}}}, rows);
    QueryRunner runner(source);
    runner.engine().findTable("Texts");
    QVariantList expected;
    for (const QString& text : texts)
        expected << text;
    EXPECT_EQ(runner.column("SELECT Name FROM Texts"), expected);
    expected[3] = QVariant();
    EXPECT_EQ(runner.column("SELECT Other FROM Texts"), expected);
}

// A table that fails to load leaves nothing behind, and the next look-up tries again.
TEST(EngineLoading, FailedLoadLeavesNothingBehind) {
    auto source = ordersAndCustomers();
    source->failAfterRows = 1;
    QueryRunner runner(source);
    EXPECT_EQ(test::failureOf([&] { runner.engine().findTable("Orders"); }),
              "The file is damaged.");
    EXPECT_NE(runner.errorOf("SELECT * FROM Orders"), "");

    source->failAfterRows.reset();
    ASSERT_NE(runner.engine().findTable("Orders"), nullptr);
    EXPECT_EQ(source->loadCalls["Orders"], 2);
    EXPECT_EQ(runner.value("SELECT count(*) FROM Orders").toInt(), 2);
}
