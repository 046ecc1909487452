// The date groupings the program writes for Oracle-style servers, run on PostgreSQL through the
// driver unchanged: every granularity gives the groups its mask names, and filters by them.
#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "server/ServerConnection.h"
#include "tree/DateGrouping.h"

#include <QMap>
#include <gtest/gtest.h>

using namespace test::server;

TEST(OracleDialect, DateGroupsCarryTheirMasksLabels) {
    using Counts = QMap<QString, qlonglong>;
    const std::pair<const char*, Counts> cases[] = {
        {"Second",
         {{"2001/03/04 05:06:07", 1},
          {"2001/03/15 23:59:59", 1},
          {"2001/04/01 12:30:00", 1},
          {"2002/12/31 00:00:00", 1}}},
        {"Hour",
         {{"2001/03/04 05", 1}, {"2001/03/15 23", 1}, {"2001/04/01 12", 1}, {"2002/12/31 00", 1}}},
        {"Day", {{"2001/063", 1}, {"2001/074", 1}, {"2001/091", 1}, {"2002/365", 1}}},
        {"Week", {{"2001/09", 1}, {"2001/11", 1}, {"2001/13", 1}, {"2002/53", 1}}},
        {"Month", {{"2001/03", 2}, {"2001/04", 1}, {"2002/12", 1}}},
        {"Quarter", {{"2001/Q1", 2}, {"2001/Q2", 1}, {"2002/Q4", 1}}},
        {"Year", {{"2001", 3}, {"2002", 1}}},
    };
    const auto connection = connectToServer();
    for (const auto& [keyword, counts] : cases) {
        const QString label = tree::TreeBuildDate("ORDERED", keyword, data::Dialect::Oracle);
        Counts seen;
        for (auto rs = query(connection, "SELECT " + label +
                                             " AS CNAME, COUNT(1) AS CCNT FROM "
                                             "SALES.ORDERS WHERE ORDERED IS NOT NULL  GROUP BY " +
                                             label);
             !rs->Eof(); rs->MoveNext())
            seen.insert(rs->Fields("CNAME").Value().toString(),
                        rs->Fields("CCNT").Value().toLongLong());
        EXPECT_EQ(seen, counts) << keyword;

        const QString first = counts.firstKey();
        const QString filter =
            tree::MakeFilterDate("ORDERED", first, keyword, data::Dialect::Oracle);
        EXPECT_EQ(query(connection, "SELECT COUNT(1) AS N FROM SALES.ORDERS WHERE " + filter)
                      ->Fields("N")
                      .Value()
                      .toLongLong(),
                  counts.first())
            << filter.toStdString();
    }
}
