#include "CollationCost.h"

#include "Drain.h"
#include "SalesSource.h"
#include "data/jet/Engine.h"

namespace bench {

namespace {

struct Query {
    QString label;
    QString sql; // %1 the table, %2 the collation clause
};

const Query Queries[] = {
    {QStringLiteral("Level grouped by Customer (50,000 groups)"),
     QStringLiteral("SELECT Customer%2 AS CNAME, count(Customer) AS CCNT FROM %1 "
                    "WHERE Customer IS NOT NULL GROUP BY Customer%2")},
    {QStringLiteral("Rows sorted by Region, City, Customer (an index build's sort)"),
     QStringLiteral("SELECT Region, City, Customer FROM %1 "
                    "ORDER BY Region%2, City%2, Customer%2")},
    {QStringLiteral("Rows of one customer, compared by name"),
     QStringLiteral("SELECT count(*) FROM %1 WHERE Customer%2 = 'Lone Harra' "
                    "OR Customer%2 = 'Löne Hårra'")},
};

Timing timeQuery(data::jet::Engine& engine, const QByteArray& sql, int runs, long long& rows) {
    const auto run = [&] {
        data::jet::Statement statement = engine.prepare(sql);
        rows = drain(statement).rows;
    };
    run();
    std::vector<Timing> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(timeOf(run));
    return median(times);
}

} // namespace

std::vector<CollationTiming> timeCollation(data::jet::Engine& engine, int runs) {
    std::vector<CollationTiming> timings;
    for (const QString& table : {SalesSource::TableName, SalesSource::AccentedTableName}) {
        engine.findTable(table);
        for (const Query& query : Queries) {
            CollationTiming t{query.label, table, 0, {}, {}};
            long long binaryRows = 0;
            t.jetText = timeQuery(engine, query.sql.arg(table, QString()).toUtf8(), runs, t.rows);
            t.binary =
                timeQuery(engine, query.sql.arg(table, QStringLiteral(" COLLATE BINARY")).toUtf8(),
                          runs, binaryRows);
            timings.push_back(t);
        }
    }
    return timings;
}

} // namespace bench
