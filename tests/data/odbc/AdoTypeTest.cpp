// The server tests meet the common SQL types through the real driver; these are the ones it does
// not send: unsigned integers, and types without a code of their own.
#include "data/odbc/AdoType.h"

#include "data/AdoTypes.h"

#include <gtest/gtest.h>
#include <sqlext.h>
#include <sqlucode.h>

using namespace data;

TEST(OdbcAdoType, IntegersHaveUnsignedCodesAndOtherTypesAreReadAsText) {
    const std::tuple<SQLSMALLINT, int, int> cases[] = {
        {SQL_TINYINT, ado::adTinyInt, ado::adUnsignedTinyInt},
        {SQL_SMALLINT, ado::adSmallInt, ado::adUnsignedSmallInt},
        {SQL_INTEGER, ado::adInteger, ado::adUnsignedInt},
        {SQL_BIGINT, ado::adBigInt, ado::adUnsignedBigInt},
        {SQL_DECIMAL, ado::adNumeric, ado::adNumeric},
        {SQL_VARBINARY, ado::adVarBinary, ado::adVarBinary},
        {SQL_INTERVAL_DAY, ado::adVarWChar, ado::adVarWChar},
        {SQL_UNKNOWN_TYPE, ado::adVarWChar, ado::adVarWChar},
    };
    for (const auto& [sqlType, signedCode, unsignedCode] : cases) {
        EXPECT_EQ(odbc::adoTypeOf(sqlType, false), signedCode) << sqlType;
        EXPECT_EQ(odbc::adoTypeOf(sqlType, true), unsignedCode) << sqlType;
    }
}
