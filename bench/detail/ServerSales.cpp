#include "ServerSales.h"

namespace bench {

QString serverSalesSql(int rows) {
    return QStringLiteral(
               "CREATE SCHEMA sales;\n"
               "CREATE TABLE sales.big AS SELECT\n"
               "  CASE WHEN g % 33 = 0 THEN NULL ELSE 'Region ' || (g % 50000 % 2000 % 12) END "
               "AS region,\n"
               "  CASE WHEN g % 50 = 0 THEN NULL ELSE 'City ' || (g % 50000 % 2000) END AS city,\n"
               "  CASE WHEN g % 25 = 0 THEN NULL ELSE 'Customer ' || (g % 50000) END AS customer,\n"
               "  timestamp '2015-01-01' + (g::bigint * 7919 % 315360000) * interval '1 second' "
               "AS ordered,\n"
               "  (g::bigint * 31 % 100000 - 5000) / 100.0::float8 AS amount\n"
               "FROM generate_series(1, %1) AS g;\n"
               "ANALYZE sales.big;\n")
        .arg(rows);
}

} // namespace bench
