// The engine over a table source held in memory: how it loads tables, what it lets queries do, how
// its work stops when told, the values its statements give, and the comparison and statistics it
// adds to SQLite.
#include "data/AdoTypes.h"
#include "data/Error.h"
#include "data/Operation.h"
#include "data/TextCollation.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"
#include "support/DataFailure.h"
#include "support/StoppingWatch.h"

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

std::shared_ptr<MemoryTableSource> everyKind() {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Kinds",
                 {{"Big", adBigInt, 0},
                  {"Flag", adBoolean, 0},
                  {"Ratio", adDouble, 0},
                  {"Money", adCurrency, 0},
                  {"When", adDate, 0},
                  {"Name", adVarWChar, 0},
                  {"Data", adLongVarBinary, 0}}},
                {
                    {std::int64_t(9007199254740993), true, 0.1, Amount{12345},
                     date(2004, 2, 29, 23, 59, 58), QString("Umsätze ẞ"), QByteArray("\0\1\2", 3)},
                    {nullptr, false, nullptr, nullptr, nullptr, QString(""), nullptr},
                });
    return source;
}

// A runner over everyKind() with the table loaded.
struct Kinds : QueryRunner {
    Kinds() : QueryRunner(everyKind()) { engine().findTable("Kinds"); }
};

// The sign of the engine's comparison of two texts.
int compareText(const QString& a, const QString& b) {
    const QByteArray x = a.toUtf8();
    const QByteArray y = b.toUtf8();
    const int order = data::compareJetText({x.constData(), std::size_t(x.size())},
                                           {y.constData(), std::size_t(y.size())});
    return (order > 0) - (order < 0);
}

class Statistics : public ::testing::Test {
protected:
    QueryRunner runner;

    // Over the rows (key, x) given as SQL VALUES: for each key, whether each of the four is the
    // same value of the same type as SQLite's own; "" when all are, else the first that is not.
    QString differences(const QByteArray& rows) {
        const char* names[] = {"Min", "Max", "Avg", "Sum"};
        QByteArray sql = "WITH v(k, x) AS (VALUES " + rows + ") SELECT k";
        for (const QByteArray f : {"min", "max", "avg", "sum"})
            sql += ", jet_" + f + "(jet_statistics(x)) IS " + f + "(x) AND typeof(jet_" + f +
                   "(jet_statistics(x))) = typeof(" + f + "(x))";
        data::jet::Statement statement = runner.engine().prepare(sql + " FROM v GROUP BY k");
        while (statement.step())
            for (int i = 0; i < 4; ++i)
                if (statement.value(i + 1).toInt() != 1)
                    return QStringLiteral("%1 of group %2")
                        .arg(QLatin1String(names[i]), statement.value(0).toString());
        return {};
    }
};

} // namespace

// A table is loaded once, when it is first named; one that fails to load leaves nothing behind,
// and the next look-up tries again.
TEST(EngineLoading, LoadsATableOnceWhenItIsFirstNamedAndAFailedLoadLeavesNothingBehind) {
    auto source = ordersAndCustomers();
    QueryRunner runner(source);
    Engine& engine = runner.engine();
    const TableInfo* orders = engine.findTable("orders");
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ(orders->name, "Orders");
    EXPECT_EQ(engine.findTable("ORDERS"), orders);
    EXPECT_EQ(source->loadCalls["Orders"], 1);
    EXPECT_EQ(source->loadCalls.count("Customers"), 0u);
    EXPECT_NE(runner.errorOf("SELECT * FROM Customers"), "");
    EXPECT_EQ(engine.findTable("Suppliers"), nullptr);

    // The next query's table may be loaded while the rows of an earlier one are being read.
    Statement ids = engine.prepare("SELECT Id FROM Orders ORDER BY Id");
    ASSERT_TRUE(ids.step());
    ASSERT_NE(engine.findTable("Customers"), nullptr);
    EXPECT_EQ(runner.value("SELECT Id FROM Customers").toInt(), 7);
    ASSERT_TRUE(ids.step());
    EXPECT_EQ(ids.value(0).toInt(), 2);
    EXPECT_FALSE(ids.step());

    // Tables keep the source's own names, whatever their letters and quotes.
    ASSERT_NE(engine.findTable("UMSÄTZE"), nullptr);
    EXPECT_EQ(runner.value("SELECT \"Betrag\" FROM \"Umsätze\"").toLongLong(), 15000);
    ASSERT_NE(engine.findTable(R"(joe's "BEST" orders)"), nullptr);
    EXPECT_EQ(runner.value(R"(SELECT "Unit Price" FROM "Joe's ""best"" Orders")").toDouble(), 2.5);

    auto failing = ordersAndCustomers();
    failing->failAfterRows = 1;
    QueryRunner again(failing);
    EXPECT_EQ(test::failureOf([&] { again.engine().findTable("Orders"); }), "The file is damaged.");
    EXPECT_NE(again.errorOf("SELECT * FROM Orders"), "");
    failing->failAfterRows.reset();
    ASSERT_NE(again.engine().findTable("Orders"), nullptr);
    EXPECT_EQ(failing->loadCalls["Orders"], 2);
    EXPECT_EQ(again.value("SELECT count(*) FROM Orders").toInt(), 2);
}

// Whole numbers stay exact, amounts are whole numbers of ten-thousandths (so that sums of many
// small amounts stay exact), and what the engine cannot compare as a value is kept as bytes. A
// reader may give a value in another kind than the column's; it is stored as the column's. Each
// row's text is stored whole, whatever the rows before it held (the loader reuses buffers).
TEST(EngineLoading, StorageFollowsTheTypeCodeWhateverKindAValueComesIn) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Everything",
                 {{"Whole", adNumeric, 0},
                  {"Decimals", adNumeric, 2},
                  {"Money", adCurrency, 0},
                  {"Guid", adGUID, 0},
                  {"Odd", 999, 0}}},
                std::vector<Row>(10000, Row{NotGiven{}, NotGiven{}, 0.1}));
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
                    {NotGiven{}, NotGiven{}, NotGiven{}, QString("n/a"), NotGiven{}},
                });
    const QVariantList texts = {"a longer text first", "Umsätze", "ok", "", "日本語", "x"};
    std::vector<Row> rows;
    for (const QVariant& text : texts)
        rows.push_back({text.toString()});
    source->add({"Texts", {{"Name", adVarWChar, 0}}}, rows);
    QueryRunner runner(source);

    const TableInfo* info = runner.engine().findTable("Everything");
    ASSERT_NE(info, nullptr);
    const Storage expected[] = {Storage::Integer, Storage::Real, Storage::Currency, Storage::Blob,
                                Storage::Blob};
    for (std::size_t i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(info->columns[i].storage, expected[i]) << i;
    EXPECT_EQ(runner.value("SELECT sum(Money) FROM Everything").toLongLong(), 10000000);

    runner.engine().findTable("Mixed");
    const QVariant null;
    EXPECT_EQ(runner.column("SELECT Money FROM Mixed"), (QVariantList{11000, 125000, -1, null}));
    EXPECT_EQ(runner.column("SELECT Count FROM Mixed"), (QVariantList{2, 4, null, null}));
    EXPECT_EQ(runner.column("SELECT Flag FROM Mixed"), (QVariantList{-1, -1, 0, null}));
    // A date column keeps only dates.
    EXPECT_EQ(runner.column("SELECT \"When\" FROM Mixed"),
              (QVariantList{"2001-03-04 12:00:00", null, "2001-03-04", null}));
    EXPECT_EQ(runner.column("SELECT Label FROM Mixed"),
              (QVariantList{"42", "2001-03-04 10:05:09", "1.5", null}));

    runner.engine().findTable("Texts");
    EXPECT_EQ(runner.column("SELECT Name FROM Texts"), texts);
}

// Queries only read: nothing that writes, attaches, configures or loads code gets through, nor a
// second statement after the first.
TEST(EngineSafety, RefusesEverythingButReading) {
    QueryRunner runner(ordersAndCustomers());
    runner.engine().findTable("Orders");
    for (const char* sql :
         {"DELETE FROM Orders", "CREATE TEMP VIEW Peek AS SELECT 1",
          "ATTACH DATABASE ':memory:' AS other", "PRAGMA writable_schema = ON",
          "PRAGMA table_info(Orders)", "SELECT * FROM pragma_table_info('Orders')",
          "VACUUM INTO '/tmp/quarrymere-should-not-exist.db'", "REINDEX", "EXPLAIN SELECT 1",
          "SELECT load_extension('libm.so.6')", "SELECT 1; SELECT 2",
          "WITH x AS (SELECT 1) INSERT INTO Orders SELECT * FROM x"})
        EXPECT_NE(runner.errorOf(sql), "") << sql;

    EXPECT_EQ(runner.value("SELECT Id FROM Orders; -- a closing remark").toInt(), 1);
    EXPECT_EQ(runner
                  .value("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                         "WHERE i < 10) SELECT sum(i) FROM n")
                  .toInt(),
              55);
}

// A load or a statement of the engine stopped by the operation running: it ends in Cancelled,
// leaves nothing half-made behind, and the same work runs whole afterwards.
TEST(EngineCancel, StopsLoadsAndStatementsAndLeavesNothingHalfMade) {
    auto source = std::make_shared<MemoryTableSource>();
    std::vector<Row> rows;
    for (int i = 0; i < 30000; ++i)
        rows.push_back({std::int64_t(i % 97), QString("name %1").arg(i)});
    source->add({"Big", {{"K", data::ado::adInteger, 0}, {"Name", data::ado::adVarWChar, 0}}},
                rows);
    QueryRunner runner(source);

    {
        test::StoppingWatch watch(INT_MAX, 8192);
        data::WatchScope watching(watch);
        EXPECT_THROW(runner.engine().findTable("Big"), data::Cancelled);
        EXPECT_EQ(watch.rows, 8192) << "the load reports the rows it stored";
    }
    ASSERT_NE(runner.engine().findTable("Big"), nullptr);
    EXPECT_EQ(runner.value("SELECT COUNT(*) FROM Big").toInt(), 30000);

    {
        test::StoppingWatch watch(1);
        data::WatchScope watching(watch);
        EXPECT_THROW(runner.column("SELECT K, COUNT(*) FROM Big GROUP BY K ORDER BY 2"),
                     data::Cancelled);
    }
    EXPECT_EQ(runner.column("SELECT K, COUNT(*) FROM Big GROUP BY K").size(), 97);

    // The pass that groups a first level over the whole table, made as it is translated.
    const auto level = [&] {
        return runner.column(translate("SELECT K AS CNAME, COUNT(K) AS CCNT, Sum(K) AS CSUM "
                                       "FROM Big WHERE K IS NOT NULL GROUP BY K",
                                       runner.engine())
                                 .sqliteSql);
    };
    {
        test::StoppingWatch watch(1);
        data::WatchScope watching(watch);
        EXPECT_THROW(level(), data::Cancelled);
    }
    EXPECT_EQ(level().size(), 97);

    // A watch that never stops sees the work through.
    test::StoppingWatch patient(INT_MAX);
    data::WatchScope watching(patient);
    EXPECT_EQ(runner.column("SELECT Name FROM Big ORDER BY Name").size(), 30000);
    EXPECT_GT(patient.ticks, 0);
}

// Values come converted by their storage, or as stored without columns; failures come as errors,
// and a statement outlives its engine.
TEST(Statement, ConvertsValuesByStorageReportsFailuresAsErrorsAndOutlivesItsEngine) {
    std::optional<Statement> later;
    {
        Kinds runner;
        Statement rows = runner.engine().prepare(
            R"(SELECT Big, Flag, Ratio, Money / 10000.0, "When", Name, Data FROM Kinds ORDER BY rowid)",
            runner.engine().findTable("Kinds")->columns);
        ASSERT_EQ(rows.columnCount(), 7);
        EXPECT_EQ(rows.columnName(3), "Money");
        EXPECT_EQ(rows.adoType(4), adDate);

        ASSERT_TRUE(rows.step());
        EXPECT_EQ(rows.value(0).typeId(), QMetaType::LongLong);
        EXPECT_EQ(rows.value(0).toLongLong(), 9007199254740993LL);
        EXPECT_EQ(rows.value(1), QVariant(true));
        EXPECT_EQ(rows.value(2), QVariant(0.1));
        EXPECT_EQ(rows.value(3), QVariant(1.2345));
        EXPECT_EQ(rows.value(4).toDateTime(), QDateTime(QDate(2004, 2, 29), QTime(23, 59, 58)));
        EXPECT_EQ(rows.value(4).toDateTime().timeSpec(), Qt::LocalTime);
        EXPECT_EQ(rows.value(5), QVariant(QString("Umsätze ẞ")));
        EXPECT_EQ(rows.value(6), QVariant(QByteArray("\0\1\2", 3)));

        ASSERT_TRUE(rows.step());
        EXPECT_EQ(rows.value(1), QVariant(false));
        for (int column : {0, 2, 3, 4, 6})
            EXPECT_FALSE(rows.value(column).isValid()) << column;
        EXPECT_EQ(rows.value(5), QVariant(QString(""))); // empty, not null
        EXPECT_FALSE(rows.step());

        // Without columns, values come as stored and names from the query.
        Statement stored =
            runner.engine().prepare("SELECT Flag AS Truth, Money, \"When\" FROM Kinds");
        EXPECT_EQ(stored.columnName(0), "Truth");
        EXPECT_EQ(stored.adoType(0), 0);
        ASSERT_TRUE(stored.step());
        EXPECT_EQ(stored.value(0), QVariant(qlonglong(-1)));
        EXPECT_EQ(stored.value(1), QVariant(qlonglong(12345)));
        EXPECT_EQ(stored.value(2), QVariant(QString("2004-02-29 23:59:58")));

        EXPECT_EQ(runner.errorOf("SELECT Missing FROM Kinds"), "no such column: Missing");
        EXPECT_EQ(runner.errorOf(""), "The query is empty.");
        // A function failing on the second row stops the query there.
        EXPECT_EQ(
            runner.errorOf("SELECT vb_cint(vb_nz(Big, 70000)) FROM Kinds ORDER BY rowid DESC"),
            "Overflow");
        EXPECT_THROW(runner.engine().prepare("SELECT 1, 2", {{"One", adInteger, Storage::Integer}}),
                     data::Error);
        Statement one = runner.engine().prepare("SELECT 1");
        EXPECT_THROW(one.value(0), data::Error);
        ASSERT_TRUE(one.step());
        EXPECT_THROW(one.value(1), data::Error);
        later = runner.engine().prepare("SELECT vb_format(\"When\", 'yyyy') FROM Kinds");
    }
    ASSERT_TRUE(later->step());
    EXPECT_EQ(later->value(0).toString(), "2004");
}

// A wall-clock time keeps its fields even where the local clock skips it (spring, in Berlin).
TEST(Statement, DatesKeepTheirFieldsInTheSkippedHour) {
    const QByteArray zone = qgetenv("TZ");
    const bool zoneSet = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Berlin");
    QueryRunner runner;
    Statement rows = runner.engine().prepare(
        "SELECT '2001-03-25 02:30:00', '2001-03-25 03:30:00'",
        {{"Skipped", adDate, Storage::DateTime}, {"After", adDate, Storage::DateTime}});
    ASSERT_TRUE(rows.step());
    const QDateTime skipped = rows.value(0).toDateTime();
    const QDateTime after = rows.value(1).toDateTime();
    zoneSet ? qputenv("TZ", zone) : qunsetenv("TZ");
    EXPECT_EQ(skipped.date(), QDate(2001, 3, 25));
    EXPECT_EQ(skipped.time(), QTime(2, 30));
    EXPECT_EQ(after.time(), QTime(3, 30));
}

// SQLite groups and compares with the same function, so it must be a true order whose equal
// texts are the case-insensitively equal ones.
TEST(JetTextCollation, IsATotalOrderOfCaseFoldedTextWithAccentsNextToTheirLetters) {
    const QStringList samples = {
        "North",   "NORTH",   "Nord",    "Äpfel",  "äpfel",
        "Apfel",   "Birne",   "",        "a",      "ä",
        "straße",  "STRASSE", "STRAẞE",  "Ωmega",  "ωMEGA",
        "ärger2",  "Ærø",     "Éclair",  "eclair", "ñ",
        "Nordöst", "Nordost", "Nordøst", "Nordös", QString::fromUtf8("\xE6\x97\xA5")};
    for (const QString& a : samples) {
        for (const QString& b : samples) {
            EXPECT_EQ(compareText(a, b), -compareText(b, a))
                << a.toStdString() << " " << b.toStdString();
            EXPECT_EQ(compareText(a, b) == 0, a.toCaseFolded() == b.toCaseFolded())
                << a.toStdString() << " " << b.toStdString();
            for (const QString& c : samples) {
                if (compareText(a, b) <= 0 && compareText(b, c) <= 0) {
                    EXPECT_LE(compareText(a, c), 0)
                        << a.toStdString() << " " << b.toStdString() << " " << c.toStdString();
                }
            }
        }
    }
    // Accents sort next to their letters.
    EXPECT_LT(compareText("Apfel", "Äpfel"), 0);
    EXPECT_LT(compareText("Äpfel", "Birne"), 0);
    EXPECT_LT(compareText("apfel", "ÄPFEL"), 0);
    EXPECT_LT(compareText("Abend", "Äpfel"), 0); // letters first, accents only on a tie
}

// Min, Max, Avg and Sum taken in one pass give what SQLite's own four give, value for value and
// type for type, over the awkward mixtures a column can hold.
TEST_F(Statistics, AgreeWithSqlitesOwnAndReportIntegerOverflowOnlyForTheSum) {
    // Reals whose sum rounds; integers; an integer and a real of the same value (the first
    // stays); integers a double cannot hold beside the nearest double.
    EXPECT_EQ(
        differences("(1, 0.1), (1, 0.2), (1, -0.3), (1, 1e300), (1, -1e300), (1, NULL), "
                    "(2, 3), (2, -7), (2, 12), "
                    "(3, 2), (3, 2.0), (3, 1.0), (3, 1), "
                    "(4, 9007199254740993), (4, 9007199254740992.0), (4, -9223372036854775808), "
                    "(5, 9223372036854775807), (5, 9.3e18), (5, -9.3e18)"),
        "");
    // Text and binary data sort after numbers; number text adds up as a number, other text
    // as nothing; groups of Nulls give Null for all four.
    EXPECT_EQ(differences("(1, 'b'), (1, 'ab'), (1, 'a'), (1, 5), (1, x'00ff'), (1, x'00'), "
                          "(2, '12'), (2, '3.5'), (2, 'x'), (2, 4), "
                          "(3, NULL), (3, NULL), "
                          "(4, ''), (4, x'')"),
              "");

    // Integer overflow is reported for the sum alone.
    const QByteArray rows = "WITH v(x) AS (VALUES (9223372036854775807), (1), (2)) SELECT ";
    EXPECT_EQ(runner.errorOf(rows + "jet_sum(jet_statistics(x)) FROM v"), "integer overflow");
    EXPECT_EQ(runner.value(rows + "jet_max(jet_statistics(x)) FROM v").toLongLong(),
              9223372036854775807LL);
    EXPECT_EQ(runner.value(rows + "jet_avg(jet_statistics(x)) FROM v").toDouble(),
              runner.value(rows + "avg(x) FROM v").toDouble());
    EXPECT_NE(runner.errorOf("SELECT jet_min(x'00')"), "") << "only its own figures are read";
}
