// quarrymere-drill logged in to the test server, which stands in for an Oracle database: every
// column of a table drilled down and every node checked in the Oracle dialect.
#include "server/ServerEnvironment.h"
#include "support/DrillRun.h"

#include <QRegularExpression>

using test::server::dataSource;

TEST(DrillServer, EveryNodeDownToTheLastColumnHoldsItsRows) {
    const test::DrillRun run =
        test::runDrill({"--oracle", dataSource().dsn, "--user", dataSource().user, "--password",
                        dataSource().password, "--table", "sales.orders", "--all", "--date-group",
                        "None", "--check", "--locale", "en_US"});
    // Ungrouped dates, one of them with a fraction of a second, each select their one row. The
    // last column holds raw bytes, which cannot be grouped: the one message of the run comes
    // up at each node above it, and every node checks.
    EXPECT_EQ(run.status, 1) << run.err.toStdString();
    const QStringList lines = run.lines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith("Quarrymere (5; Min: 1.00; Max: 5.00;"));
    EXPECT_EQ(
        lines.filter(QRegularExpression("^\t{7}(\\d+/\\d+/\\d{4}[ \\d:APM]*|<<NULL>>) \\(1\\)$"))
            .size(),
        5);
    const QStringList violations = lines.filter(": message box \"Cannot Group Column\": ");
    EXPECT_EQ(violations.size(), 5);
    EXPECT_EQ(lines.last().toStdString(), "checked 41 nodes: 5 violations");
}

TEST(DrillServer, ExactDecimalsBeyondADoubleSelectTheirRows) {
    const test::DrillRun run =
        test::runDrill({"--oracle", dataSource().dsn, "--user", dataSource().user, "--password",
                        dataSource().password, "--table", "sales.kinds", "--depth", "8", "--check",
                        "--locale", "de_DE"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList lines = run.lines();
    EXPECT_EQ(lines.filter("\t-12345678901234,5678 (1;").size(), 1) << run.out.toStdString();
    EXPECT_EQ(lines.filter("\t12345678901234567890 (1)").size(), 1) << run.out.toStdString();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.last().endsWith(": 0 violations")) << lines.last().toStdString();
}
