#include "data/odbc/ResultColumn.h"

#include "data/odbc/Diagnostics.h"
#include "data/odbc/Handle.h"
#include "data/odbc/WideText.h"

#include <sqlext.h>
#include <sqlucode.h>

namespace data::odbc {

namespace {

ResultColumn describe(const Handle& statement, SQLUSMALLINT number) {
    ResultColumn column;
    std::vector<SQLWCHAR> name(128);
    for (;;) {
        SQLSMALLINT nameLength = 0;
        SQLULEN size = 0;
        SQLSMALLINT nullable = 0;
        check(SQLDescribeColW(statement.get(), number, name.data(), SQLSMALLINT(name.size()),
                              &nameLength, &column.sqlType, &size, &column.scale, &nullable),
              statement);
        if (nameLength < SQLSMALLINT(name.size())) {
            column.name = fromWide(name.data(), nameLength);
            break;
        }
        name.resize(std::size_t(nameLength) + 1);
    }
    SQLLEN isUnsigned = SQL_FALSE;
    check(SQLColAttributeW(statement.get(), number, SQL_DESC_UNSIGNED, nullptr, 0, nullptr,
                           &isUnsigned),
          statement);
    column.isUnsigned = isUnsigned == SQL_TRUE;
    return column;
}

} // namespace

std::vector<ResultColumn> describeColumns(const Handle& statement) {
    SQLSMALLINT count = 0;
    check(SQLNumResultCols(statement.get(), &count), statement);
    std::vector<ResultColumn> columns;
    columns.reserve(std::size_t(count));
    for (SQLSMALLINT number = 1; number <= count; ++number)
        columns.push_back(describe(statement, SQLUSMALLINT(number)));
    return columns;
}

} // namespace data::odbc
