// The statements the program writes for Oracle-style servers, run on PostgreSQL through the
// driver unchanged. Unquoted names fold to lower case there, which field lookups ignore.
#include "data/AdoTypes.h"
#include "data/Connection.h"
#include "data/Recordset.h"
#include "server/ServerConnection.h"

#include <QDate>
#include <QMap>
#include <gtest/gtest.h>

using namespace data;
using namespace test::server;

namespace {

class OracleDialect : public ::testing::Test {
protected:
    static void SetUpTestSuite() { connection_ = connectToServer(); }
    static void TearDownTestSuite() { connection_.reset(); }

    static std::shared_ptr<Recordset> run(const QString& statement) {
        return query(connection_, statement);
    }

    // CNAME to CCNT over every row of a grouping statement.
    static QMap<QString, qlonglong> groups(const QString& statement) {
        QMap<QString, qlonglong> counts;
        for (auto rs = run(statement); !rs->Eof(); rs->MoveNext())
            counts.insert(rs->Fields("CNAME").Value().toString(),
                          rs->Fields("CCNT").Value().toLongLong());
        return counts;
    }

    static std::shared_ptr<Connection> connection_;
};

std::shared_ptr<Connection> OracleDialect::connection_;

QString dateMask(const QString& column, const QString& mask) {
    return QStringLiteral("to_char(%1, '%2')").arg(column, mask);
}

QString quarter(const QString& column) {
    return QStringLiteral("to_char(%1, 'YYYY/') || 'Q' || to_char(%1, 'Q')").arg(column);
}

QString groupingBy(const QString& expression) {
    return QStringLiteral("SELECT %1 AS CNAME, COUNT(%1) AS CCNT FROM SALES.ORDERS "
                          "WHERE ORDERED IS NOT NULL  GROUP BY %1")
        .arg(expression);
}

} // namespace

TEST_F(OracleDialect, SummaryOfAColumn) {
    auto rs = run("SELECT Count(1) AS CNNULL , Min(AMOUNT) AS CMIN, Max(AMOUNT) AS CMAX, "
                  "Avg(AMOUNT) AS CAVG, Sum(AMOUNT) AS CSUM FROM SALES.ORDERS ");
    EXPECT_EQ(rs->Fields("CNNULL").Type, ado::adBigInt);
    EXPECT_EQ(rs->Fields("CNNULL").Value(), qlonglong(5));
    EXPECT_EQ(rs->Fields("CMIN").Type, ado::adNumeric);
    EXPECT_DOUBLE_EQ(rs->Fields("CMIN").Value().toDouble(), -99.0001);
    EXPECT_DOUBLE_EQ(rs->Fields("CMAX").Value().toDouble(), 1234.5678);
    EXPECT_DOUBLE_EQ(rs->Fields("CAVG").Value().toDouble(), 1146.0677 / 4);
    EXPECT_DOUBLE_EQ(rs->Fields("CSUM").Value().toDouble(), 1146.0677);
}

TEST_F(OracleDialect, GroupsOfAColumnAndItsNulls) {
    struct Group {
        qlonglong count;
        double min, max, avg, sum;
    };
    QMap<QString, Group> seen;
    for (auto rs = run("SELECT REGION AS CNAME, COUNT(REGION) AS CCNT , Min(AMOUNT) AS CMIN, "
                       "Max(AMOUNT) AS CMAX, Avg(AMOUNT) AS CAVG, Sum(AMOUNT) AS CSUM FROM "
                       "SALES.ORDERS WHERE REGION IS NOT NULL  GROUP BY REGION ");
         !rs->Eof(); rs->MoveNext()) {
        seen.insert(rs->Fields("CNAME").Value().toString(),
                    {rs->Fields("CCNT").Value().toLongLong(), rs->Fields("CMIN").Value().toDouble(),
                     rs->Fields("CMAX").Value().toDouble(), rs->Fields("CAVG").Value().toDouble(),
                     rs->Fields("CSUM").Value().toDouble()});
    }
    ASSERT_EQ(seen.keys(), QStringList({"East", "North", "West"}));
    // East's second order has no amount, which the aggregates pass over.
    for (const auto& [region, count, amount] :
         {std::tuple{"East", 2, 1234.5678}, {"North", 1, 10.5}, {"West", 1, -99.0001}}) {
        const Group g = seen.value(region);
        EXPECT_EQ(g.count, count) << region;
        for (double value : {g.min, g.max, g.avg, g.sum})
            EXPECT_DOUBLE_EQ(value, amount) << region;
    }
    auto nulls = run("SELECT COUNT(1) AS CCNT FROM SALES.ORDERS WHERE REGION IS NULL ");
    EXPECT_EQ(nulls->Fields("CCNT").Value(), qlonglong(1));
}

TEST_F(OracleDialect, DateMasksGroupAndFilter) {
    using Counts = QMap<QString, qlonglong>;
    const std::vector<std::pair<QString, Counts>> cases = {
        {dateMask("ORDERED", "YYYY/MM/DD HH24:MI:SS"),
         {{"2001/03/04 05:06:07", 1},
          {"2001/03/15 23:59:59", 1},
          {"2001/04/01 12:30:00", 1},
          {"2002/12/31 00:00:00", 1}}},
        {dateMask("ORDERED", "YYYY/MM/DD HH24:MI"),
         {{"2001/03/04 05:06", 1},
          {"2001/03/15 23:59", 1},
          {"2001/04/01 12:30", 1},
          {"2002/12/31 00:00", 1}}},
        {dateMask("ORDERED", "YYYY/MM/DD HH24"),
         {{"2001/03/04 05", 1}, {"2001/03/15 23", 1}, {"2001/04/01 12", 1}, {"2002/12/31 00", 1}}},
        {dateMask("ORDERED", "YYYY/DDD"),
         {{"2001/063", 1}, {"2001/074", 1}, {"2001/091", 1}, {"2002/365", 1}}},
        {dateMask("ORDERED", "YYYY/WW"),
         {{"2001/09", 1}, {"2001/11", 1}, {"2001/13", 1}, {"2002/53", 1}}},
        {dateMask("ORDERED", "YYYY/MM"), {{"2001/03", 2}, {"2001/04", 1}, {"2002/12", 1}}},
        {dateMask("ORDERED", "YYYY"), {{"2001", 3}, {"2002", 1}}},
        {quarter("ORDERED"), {{"2001/Q1", 2}, {"2001/Q2", 1}, {"2002/Q4", 1}}},
    };
    for (const auto& [expression, counts] : cases)
        EXPECT_EQ(groups(groupingBy(expression)), counts) << expression.toStdString();

    for (const QString& filter :
         {dateMask("ORDERED", "YYYY/MM") + " = '2001/03'", quarter("ORDERED") + " = '2001/Q1'"}) {
        QStringList ids;
        for (auto rs =
                 run("SELECT ORDER_ID FROM SALES.ORDERS WHERE " + filter + " ORDER BY ORDER_ID");
             !rs->Eof(); rs->MoveNext())
            ids << rs->Fields("ORDER_ID").Value().toString();
        EXPECT_EQ(ids, QStringList({"1", "2"})) << filter.toStdString();
    }
}

TEST_F(OracleDialect, OneArgumentToDateAndChrConcatenation) {
    auto date = run("SELECT to_date('2001-03-04') AS D FROM SALES.ORDERS WHERE ORDER_ID = 1");
    EXPECT_EQ(date->Fields("D").Type, ado::adDBDate);
    EXPECT_EQ(date->Fields("D").Value(), QDate(2001, 3, 4));
    auto shipped = run("SELECT ORDER_ID FROM SALES.ORDERS WHERE SHIPPED = to_date('2001-03-05')");
    EXPECT_EQ(shipped->Fields("ORDER_ID").Value(), 1);

    auto joined = run("Select REGION || Chr(9) || CUSTOMER From SALES.ORDERS Where ORDER_ID = 1");
    EXPECT_EQ(joined->Fields(0).Value(), QString("East\tO'Brien; Sons"));
}
