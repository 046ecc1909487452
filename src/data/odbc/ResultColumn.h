#pragma once

#include <QString>
#include <sql.h>
#include <vector>

namespace data::odbc {

class Handle;

// A result column as the driver describes it.
struct ResultColumn {
    QString name;
    SQLSMALLINT sqlType = SQL_UNKNOWN_TYPE;
    SQLSMALLINT scale = 0;
    bool isUnsigned = false;
};

// The result columns of an executed statement, in order; none for a statement without a result.
std::vector<ResultColumn> describeColumns(const Handle& statement);

} // namespace data::odbc
