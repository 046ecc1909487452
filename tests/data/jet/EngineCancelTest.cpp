// A load or a statement of the engine stopped by the operation running: it ends in Cancelled,
// leaves nothing half-made behind, and the same work runs whole afterwards.
#include "JetTestSupport.h"
#include "data/AdoTypes.h"
#include "data/Operation.h"
#include "data/jet/Translate.h"
#include "support/StoppingWatch.h"

#include <gtest/gtest.h>

using namespace data::jet;
using namespace data::jet::testing;

namespace {

using test::StoppingWatch;

TEST(EngineCancel, StopsLoadsAndStatementsAndLeavesNothingHalfMade) {
    auto source = std::make_shared<MemoryTableSource>();
    std::vector<Row> rows;
    for (int i = 0; i < 30000; ++i)
        rows.push_back({std::int64_t(i % 97), QString("name %1").arg(i)});
    source->add({"Big", {{"K", data::ado::adInteger, 0}, {"Name", data::ado::adVarWChar, 0}}},
                rows);
    QueryRunner runner(source);

    {
        StoppingWatch watch(INT_MAX, 8192);
        data::WatchScope watching(watch);
        EXPECT_THROW(runner.engine().findTable("Big"), data::Cancelled);
        EXPECT_EQ(watch.rows, 8192) << "the load reports the rows it stored";
    }
    ASSERT_NE(runner.engine().findTable("Big"), nullptr);
    EXPECT_EQ(runner.value("SELECT COUNT(*) FROM Big").toInt(), 30000);

    {
        StoppingWatch watch(1);
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
        StoppingWatch watch(1);
        data::WatchScope watching(watch);
        EXPECT_THROW(level(), data::Cancelled);
    }
    EXPECT_EQ(level().size(), 97);

    // A watch that never stops sees the work through.
    StoppingWatch patient(INT_MAX);
    data::WatchScope watching(patient);
    EXPECT_EQ(runner.column("SELECT Name FROM Big ORDER BY Name").size(), 30000);
    EXPECT_GT(patient.ticks, 0);
}

} // namespace
