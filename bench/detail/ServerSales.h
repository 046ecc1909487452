#pragma once

#include <QString>

// A Sales table of N rows on a private PostgreSQL server reached through psqlODBC, the way the
// program reaches an Oracle database: region, city and customer nested in one another (12,
// 2,000 and 50,000 values, a few percent Null each), a timestamp and a double.
namespace bench {

// The statements that make the table sales.big.
QString serverSalesSql(int rows);

} // namespace bench
