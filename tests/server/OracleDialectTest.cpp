// The statements and conditions the program writes in the Oracle dialect, run on the test
// server through the driver unchanged.
#include "data/Dialect.h"
#include "data/Recordset.h"
#include "server/ServerConnection.h"
#include "support/DrillRun.h"
#include "tree/DateGrouping.h"
#include "tree/TreeInvariant.h"

#include <gtest/gtest.h>

using namespace test::server;

// Every granularity gives the groups its mask names, and whole trees check their conditions.
TEST(OracleDialect, DateGroupsCarryTheirMasksLabelsAndEveryNodeSelectsItsOwnRows) {
    // Each group as "label:rows", in the order of the labels.
    const std::pair<const char*, const char*> cases[] = {
        {"Second", "2001/03/04 05:06:07:1 2001/03/15 23:59:59:1 2001/04/01 12:30:00:1 "
                   "2002/12/31 00:00:00:1"},
        {"Hour", "2001/03/04 05:1 2001/03/15 23:1 2001/04/01 12:1 2002/12/31 00:1"},
        {"Day", "2001/063:1 2001/074:1 2001/091:1 2002/365:1"},
        {"Week", "2001/09:1 2001/11:1 2001/13:1 2002/53:1"},
        {"Month", "2001/03:2 2001/04:1 2002/12:1"},
        {"Quarter", "2001/Q1:2 2001/Q2:1 2002/Q4:1"},
        {"Year", "2001:3 2002:1"},
    };
    const auto connection = connectToServer();
    for (const auto& [keyword, groups] : cases) {
        const QString label =
            tree::TreeBuildDate("ORDERED", test::dateGroupOf(keyword), data::Dialect::Oracle);
        QStringList seen;
        for (auto rs = query(connection, "SELECT " + label +
                                             " AS CNAME, COUNT(1) AS CCNT FROM SALES.ORDERS WHERE "
                                             "ORDERED IS NOT NULL  GROUP BY " +
                                             label + " ORDER BY 1");
             !rs->Eof(); rs->MoveNext())
            seen << rs->Fields("CNAME").Value().toString() + ":" +
                        rs->Fields("CCNT").Value().toString();
        EXPECT_EQ(seen.join(' '), groups) << keyword;
    }

    // Every node of the server's tables selects its own rows.
    test::TreeInvariant tree(connection, "SALES.ORDERS", data::Dialect::Oracle);
    EXPECT_GT(tree.check({"REGION", "PAID", "AMOUNT"}, "Year"), 0);
    for (const data::DateGroup dateGroup : data::DateGroups)
        EXPECT_GT(tree.check({"ORDERED", "REGION"}, data::dateGroupKeyword(dateGroup)), 0)
            << data::dateGroupKeyword(dateGroup).toStdString();
    // Ungrouped dates, one of them with a fraction of a second, each select their one row.
    EXPECT_GT(tree.check({"ORDERED", "SHIPPED", "AMOUNT"}, "None"), 0);

    // Texts with quotes, brackets, backslashes, line breaks and 100,000 characters.
    test::TreeInvariant texts(connection, "SALES.TEXTS", data::Dialect::Oracle);
    EXPECT_EQ(texts.check({"LABEL", "NOTE", "AMOUNT"}, "None"), 11 + 33 + 33);
    EXPECT_EQ(texts.check({"NOTE", "LABEL", "AMOUNT"}, "None"), 3 + 33 + 33);
}

// quarrymere-drill logged in to the test server, which stands in for an Oracle database: exact
// decimals beyond a double, labelled in a German region, select their rows.
TEST(TreeDrill, ExactDecimalsBeyondADoubleAndNamesInDoubleQuotesSelectTheirRows) {
    test::DrillRun run =
        test::runDrill({"--oracle", dataSource().dsn, "--user", dataSource().user, "--password",
                        dataSource().password, "--table", "sales.kinds", "--depth", "8", "--check",
                        "--locale", "de_DE"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.lines();
    EXPECT_EQ(lines.filter("\t-12345678901234,5678 (1;").size(), 1) << run.out.toStdString();
    EXPECT_EQ(lines.filter("\t12345678901234567890 (1)").size(), 1) << run.out.toStdString();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().endsWith(": 0 violations")) << lines.last().toStdString();

    // A view and columns whose names need double quotes: each column reads its own values.
    run = test::runDrill({"--oracle", dataSource().dsn, "--user", dataSource().user, "--password",
                          dataSource().password, "--table", "sales.Odd Names", "--all", "--check",
                          "--locale", "en_US"});
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_EQ(run.lines().value(0), "Quarrymere (5)");
    EXPECT_TRUE(run.out.contains("\n\tEast (2; Min: 1,234.57; Max: 1,234.57; Avg: 1,234.57; "
                                 "Sum: 1,234.57)\n"))
        << run.out.toStdString();
    EXPECT_TRUE(run.lastLine().endsWith(" nodes: 0 violations")) << run.out.toStdString();
}
