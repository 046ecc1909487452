// Min, Max, Avg and Sum taken in one pass give what SQLite's own four give, value for value and
// type for type, over the awkward mixtures a column can hold.
#include "data/AdoTypes.h"
#include "data/jet/JetTestSupport.h"
#include "data/jet/Translate.h"

#include <gtest/gtest.h>

using namespace data::jet::testing;

namespace {

class Statistics : public ::testing::Test {
protected:
    QueryRunner runner;

    // Over the rows (key, x) given as SQL VALUES: for each key, whether each of the four is the
    // same value of the same type as SQLite's own; "" when all are, else the first that is not.
    QString differences(const QByteArray& rows) {
        const QByteArray sql =
            "WITH v(k, x) AS (VALUES " + rows + ") SELECT k, " +
            "jet_min(jet_statistics(x)) IS min(x) AND typeof(jet_min(jet_statistics(x))) = "
            "typeof(min(x)), "
            "jet_max(jet_statistics(x)) IS max(x) AND typeof(jet_max(jet_statistics(x))) = "
            "typeof(max(x)), "
            "jet_avg(jet_statistics(x)) IS avg(x) AND typeof(jet_avg(jet_statistics(x))) = "
            "typeof(avg(x)), "
            "jet_sum(jet_statistics(x)) IS sum(x) AND typeof(jet_sum(jet_statistics(x))) = "
            "typeof(sum(x)) "
            "FROM v GROUP BY k";
        data::jet::Statement statement = runner.engine().prepare(sql);
        const char* names[] = {"Min", "Max", "Avg", "Sum"};
        while (statement.step())
            for (int i = 0; i < 4; ++i)
                if (statement.value(i + 1).toInt() != 1)
                    return QStringLiteral("%1 of group %2")
                        .arg(QLatin1String(names[i]), statement.value(0).toString());
        return {};
    }
};

} // namespace

TEST_F(Statistics, AgreeWithSqlitesOwnOverNumbersTextAndNulls) {
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
}

TEST_F(Statistics, ReportIntegerOverflowOnlyForTheSum) {
    const QByteArray rows = "WITH v(x) AS (VALUES (9223372036854775807), (1), (2)) SELECT ";
    EXPECT_EQ(runner.errorOf(rows + "sum(x) FROM v"),
              runner.errorOf(rows + "jet_sum(jet_statistics(x)) FROM v"));
    EXPECT_NE(runner.errorOf(rows + "jet_sum(jet_statistics(x)) FROM v"), "");
    EXPECT_EQ(runner.value(rows + "jet_max(jet_statistics(x)) FROM v").toLongLong(),
              9223372036854775807LL);
    EXPECT_EQ(runner.value(rows + "jet_avg(jet_statistics(x)) FROM v").toDouble(),
              runner.value(rows + "avg(x) FROM v").toDouble());
    EXPECT_NE(runner.errorOf("SELECT jet_min(x'00')"), "") << "only its own figures are read";
}

TEST_F(Statistics, TheFourOfAJetStatementShareOnePass) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Sales",
                 {{"Amount", data::ado::adDouble, 0},
                  {"Qty", data::ado::adInteger, 0},
                  {"Price", data::ado::adCurrency, 0}}},
                {{0.1, std::int64_t(2), Amount{12345}},
                 {0.2, std::int64_t(-5), Amount{-1}},
                 {nullptr, nullptr, nullptr}});
    QueryRunner sales(source);
    const auto translated = [&](const QString& jet) {
        return data::jet::translate(jet, sales.engine()).sqliteSql;
    };
    const QString sql = translated("SELECT Min(Amount), Max(Amount), Avg(Amount), Sum(Amount), "
                                   "Sum(Qty), Avg(Price) FROM Sales");
    EXPECT_EQ(sql.count("jet_statistics(\"Amount\")"), 4) << sql.toStdString();
    EXPECT_TRUE(sql.contains("jet_sum(jet_statistics(\"Qty\"))"));
    EXPECT_TRUE(sql.contains("(jet_avg(jet_statistics(\"Price\")) / 10000.0)"));

    auto rows = sales.engine().prepare(sql.toUtf8());
    ASSERT_TRUE(rows.step());
    EXPECT_EQ(rows.value(0).toDouble(), 0.1);
    EXPECT_EQ(rows.value(1).toDouble(), 0.2);
    EXPECT_EQ(rows.value(2).toDouble(), (0.1 + 0.2) / 2);
    EXPECT_EQ(rows.value(3).toDouble(), 0.1 + 0.2);
    EXPECT_EQ(rows.value(4).toLongLong(), -3);
    EXPECT_EQ(rows.value(5).toDouble(), 1.2344 / 2);
}
