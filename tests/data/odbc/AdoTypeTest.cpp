#include "data/odbc/AdoType.h"

#include "data/AdoTypes.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <sqlucode.h>

using namespace data;

TEST(OdbcAdoType, EachSqlTypeHasItsCodeAndIntegersTheirUnsignedOnes) {
    struct Case {
        SQLSMALLINT sqlType;
        int signedCode;
        int unsignedCode;
    };
    const Case cases[] = {
        {SQL_CHAR, ado::adChar, ado::adChar},
        {SQL_VARCHAR, ado::adVarChar, ado::adVarChar},
        {SQL_LONGVARCHAR, ado::adLongVarChar, ado::adLongVarChar},
        {SQL_WCHAR, ado::adWChar, ado::adWChar},
        {SQL_WVARCHAR, ado::adVarWChar, ado::adVarWChar},
        {SQL_WLONGVARCHAR, ado::adLongVarWChar, ado::adLongVarWChar},
        {SQL_DECIMAL, ado::adNumeric, ado::adNumeric},
        {SQL_NUMERIC, ado::adNumeric, ado::adNumeric},
        {SQL_TINYINT, ado::adTinyInt, ado::adUnsignedTinyInt},
        {SQL_SMALLINT, ado::adSmallInt, ado::adUnsignedSmallInt},
        {SQL_INTEGER, ado::adInteger, ado::adUnsignedInt},
        {SQL_BIGINT, ado::adBigInt, ado::adUnsignedBigInt},
        {SQL_REAL, ado::adSingle, ado::adSingle},
        {SQL_FLOAT, ado::adDouble, ado::adDouble},
        {SQL_DOUBLE, ado::adDouble, ado::adDouble},
        {SQL_BIT, ado::adBoolean, ado::adBoolean},
        {SQL_TYPE_DATE, ado::adDBDate, ado::adDBDate},
        {SQL_TYPE_TIME, ado::adDBTime, ado::adDBTime},
        {SQL_TYPE_TIMESTAMP, ado::adDBTimeStamp, ado::adDBTimeStamp},
        {SQL_BINARY, ado::adBinary, ado::adBinary},
        {SQL_VARBINARY, ado::adVarBinary, ado::adVarBinary},
        {SQL_LONGVARBINARY, ado::adLongVarBinary, ado::adLongVarBinary},
        {SQL_GUID, ado::adGUID, ado::adGUID},
        // Types without a code of their own are read as text.
        {SQL_INTERVAL_DAY, ado::adVarWChar, ado::adVarWChar},
        {SQL_UNKNOWN_TYPE, ado::adVarWChar, ado::adVarWChar},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(odbc::adoTypeOf(c.sqlType, false), c.signedCode) << c.sqlType;
        EXPECT_EQ(odbc::adoTypeOf(c.sqlType, true), c.unsignedCode) << c.sqlType;
    }
}
