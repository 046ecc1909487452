#include "data/AdoTypes.h"
#include "data/jet/JetTestSupport.h"

#include <gtest/gtest.h>

using namespace data::jet::testing;

// Queries only read: nothing that writes, attaches, configures or loads code gets through.
TEST(EngineSafety, RefusesEverythingButReading) {
    auto source = std::make_shared<MemoryTableSource>();
    source->add({"Orders", {{"Id", data::ado::adInteger, 0}}}, {{std::int64_t(1)}});
    QueryRunner runner(source);
    runner.engine().findTable("Orders");

    const char* refused[] = {
        "INSERT INTO Orders VALUES (2)",
        "UPDATE Orders SET Id = 3",
        "DELETE FROM Orders",
        "DROP TABLE Orders",
        "CREATE TABLE Extra (x)",
        "CREATE TEMP VIEW Peek AS SELECT 1",
        "ATTACH DATABASE ':memory:' AS other",
        "ATTACH DATABASE '/tmp/quarrymere-should-not-exist.db' AS other",
        "DETACH DATABASE main",
        "PRAGMA writable_schema = ON",
        "PRAGMA table_info(Orders)",
        "SELECT * FROM pragma_table_info('Orders')",
        "BEGIN",
        "VACUUM",
        "VACUUM INTO '/tmp/quarrymere-should-not-exist.db'",
        "REINDEX",
        "ANALYZE",
        "EXPLAIN DELETE FROM Orders",
        "EXPLAIN SELECT 1",
        "SAVEPOINT s",
        "SELECT load_extension('libm.so.6')",
        "SELECT 1; DROP TABLE Orders",
        "SELECT 1; SELECT 2",
        "WITH x AS (SELECT 1) INSERT INTO Orders SELECT * FROM x",
    };
    for (const char* sql : refused)
        EXPECT_NE(runner.errorOf(sql), "") << sql;

    EXPECT_EQ(runner.value("SELECT count(*) FROM Orders").toInt(), 1);
    EXPECT_EQ(runner.value("SELECT Id FROM Orders; -- a closing remark").toInt(), 1);
    EXPECT_EQ(runner
                  .value("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                         "WHERE i < 10) SELECT sum(i) FROM n")
                  .toInt(),
              55);
}
